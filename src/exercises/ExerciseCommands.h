#pragma once
#include <QString>

// What an exercise page asks of its window. The page navigates to "cmd:" +
// command; the view hands the window the command text.
enum class ExerciseAction {
    PlaySound,        // value: the sound name
    Correct,          // the correct-answer message
    Wrong,            // the wrong-answer (try-again) message
    RangeFinished,    // the last word of the range is done
    NextWord,         // value: the word to show next
    CorrectThenNext,  // the correct-answer message, then value as NextWord
    Nothing,
};

struct ExerciseCommand {
    ExerciseAction action = ExerciseAction::Nothing;
    QString value;
};

// Exercises 1 and 2: every command is a sound name.
ExerciseCommand ReadAlongCommand(const QString& command);
// Exercise 3: "ANS:Y", "ANS:N"; other "ANS:" commands do nothing; anything
// else is a sound name.
ExerciseCommand JudgedCommand(const QString& command);
// Exercise 4: "NEXT:" / "ANS:Y:" + unit code + "," + next word, "ANS:Y",
// "ANS:N", "ANS:R"; other "ANS:" commands do nothing; anything else is a
// sound name. unitCode is the window's chosen unit, whose code the page
// wrote in front of the next word.
ExerciseCommand SpellingCommand(const QString& command, const QString& unitCode);
