#pragma once
#include <QString>

// Every SQL text run against the content database. Values go between single
// quotes verbatim, except that a quote inside a value is doubled so that a
// word like "don't" still makes a valid query; ordinary values give exactly
// the classic texts.
namespace Sql {
QString Quote(const QString& value);

enum class Kind { Vowel, Consonant };
QString TableOf(Kind kind);  // "vowels_sound" / "consonants_sound"

QString LetterSets(Kind kind);
QString Sounds(Kind kind);
QString RowsOfLetterSet(Kind kind, const QString& letterSet);
QString RowsOfSound(Kind kind, const QString& sound);
QString VowelWords(const QString& letterSet, const QString& sound);
QString ConsonantSoundCode(const QString& letterSet, const QString& sound);
QString WordsWithSoundCode(const QString& soundCode);
QString Units(QChar prefix);  // 'E', 'P', 'K', 'S'
QString BeginnerItems(const QString& unit);
QString Exercise2Words(const QString& unit);
QString Exercise3Questions(const QString& unit);
QString Exercise4Words(const QString& unit);
QString WordRow(const QString& word);
QString EngineCheck();
}
