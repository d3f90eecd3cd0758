#include "ExerciseCommands.h"

namespace {
const QString kAnswer = QStringLiteral("ANS:");
const QString kNext = QStringLiteral("NEXT:");
const QString kCorrectNext = QStringLiteral("ANS:Y:");

// "<unit code>,<next word>": the word is what follows the unit code the
// page was built with, so a comma inside the word or the code does not cut
// it; a text of another shape falls back to its second comma field.
QString NextWordOf(const QString& rest, const QString& unitCode)
{
    const QString lead = unitCode + QLatin1Char(',');
    if (!unitCode.isEmpty() && rest.startsWith(lead))
        return rest.mid(lead.size());
    return rest.section(QLatin1Char(','), 1, 1);
}
}

ExerciseCommand ReadAlongCommand(const QString& command) { return {ExerciseAction::PlaySound, command}; }

ExerciseCommand JudgedCommand(const QString& command)
{
    if (!command.startsWith(kAnswer))
        return {ExerciseAction::PlaySound, command};
    if (command == QLatin1String("ANS:Y"))
        return {ExerciseAction::Correct, {}};
    if (command == QLatin1String("ANS:N"))
        return {ExerciseAction::Wrong, {}};
    return {};
}

ExerciseCommand SpellingCommand(const QString& command, const QString& unitCode)
{
    if (command.startsWith(kNext))
        return {ExerciseAction::NextWord, NextWordOf(command.mid(kNext.size()), unitCode)};
    if (!command.startsWith(kAnswer))
        return {ExerciseAction::PlaySound, command};
    if (command.startsWith(kCorrectNext))
        return {ExerciseAction::CorrectThenNext, NextWordOf(command.mid(kCorrectNext.size()), unitCode)};
    if (command == QLatin1String("ANS:Y"))
        return {ExerciseAction::Correct, {}};
    if (command == QLatin1String("ANS:N"))
        return {ExerciseAction::Wrong, {}};
    if (command == QLatin1String("ANS:R"))
        return {ExerciseAction::RangeFinished, {}};
    return {};
}
