#include "app/SystemBox.h"
#include "exercises/ExerciseCommands.h"
#include "exercises/ExerciseFeedback.h"

#include <gtest/gtest.h>

using A = ExerciseAction;

TEST(ExerciseCommands, EachExerciseReadsItsVocabulary)
{
    struct Case {
        int exercise;
        QString command;
        A action;
        QString value;
    };
    const Case cases[] = {
        {1, "b_a", A::PlaySound, "b_a"},
        {1, "ANS:Y", A::PlaySound, "ANS:Y"},
        {2, "", A::PlaySound, ""},
        {3, "cat", A::PlaySound, "cat"},
        {3, "ANS:Y", A::Correct, ""},
        {3, "ANS:N", A::Wrong, ""},
        {3, "ANS:R", A::Nothing, ""},
        {3, "ANS:Y:S01,x", A::Nothing, ""},
        {3, "ans:Y", A::PlaySound, "ans:Y"},
        {4, "cat", A::PlaySound, "cat"},
        {4, "don't", A::PlaySound, "don't"},
        {4, "NEXT:S01,cake", A::NextWord, "cake"},
        {4, "ANS:Y:S01,cake", A::CorrectThenNext, "cake"},
        {4, "ANS:Y:S01,o'clock", A::CorrectThenNext, "o'clock"},
        {4, "ANS:Y", A::Correct, ""},
        {4, "ANS:N", A::Wrong, ""},
        {4, "ANS:R", A::RangeFinished, ""},
        {4, "ANS:X", A::Nothing, ""},
        {4, "NEXT", A::PlaySound, "NEXT"},
        // The word follows the unit code the page was built with, commas and all.
        {4, "NEXT:S01,well, then", A::NextWord, "well, then"},
        // A text of another shape: its second comma field.
        {4, "NEXT:S02,dog,x", A::NextWord, "dog"},
    };
    for (const Case& c : cases) {
        ExerciseCommand got;
        if (c.exercise <= 2)
            got = ReadAlongCommand(c.command);
        else if (c.exercise == 3)
            got = JudgedCommand(c.command);
        else
            got = SpellingCommand(c.command, "S01");
        EXPECT_EQ(got.action, c.action) << c.exercise << " " << c.command.toStdString();
        EXPECT_EQ(got.value, c.value) << c.exercise << " " << c.command.toStdString();
    }
}

TEST(ExerciseFeedback, BoxesCarryTheExactTextsAndIcons)
{
    struct Box {
        QString title, text;
        SystemBoxIcon icon;
    };
    QList<Box> shown;
    SetSystemBoxHandler([&](const QString& t, const QString& x, SystemBoxIcon i) { shown.append({t, x, i}); });
    ShowExerciseFeedback(3, A::Correct);
    ShowExerciseFeedback(3, A::Wrong);
    ShowExerciseFeedback(3, A::RangeFinished);  // exercise 3 has no such message
    ShowExerciseFeedback(4, A::Correct);
    ShowExerciseFeedback(4, A::CorrectThenNext);
    ShowExerciseFeedback(4, A::Wrong);
    ShowExerciseFeedback(4, A::RangeFinished);
    ShowExerciseFeedback(4, A::Nothing);
    SetSystemBoxHandler(nullptr);

    const QList<Box> want = {
        {"訊息", "您答對了", SystemBoxIcon::Information},
        {"訊息", "您答錯了，請再想想看", SystemBoxIcon::Warning},
        {"訊息", "您答對了，請按 [確定] 繼續", SystemBoxIcon::Information},
        {"訊息", "您答對了，請按 [確定] 繼續", SystemBoxIcon::Information},
        {"訊息", "您再想想看，若需要提示請按﹝提示一字母﹞", SystemBoxIcon::Warning},
        {"訊息", "該範圍題目已全部結束，請由左方選取《聽音拼字練習》項目 ", SystemBoxIcon::Warning},
    };
    ASSERT_EQ(shown.size(), want.size());
    for (int i = 0; i < want.size(); ++i) {
        EXPECT_EQ(shown[i].title, want[i].title);
        EXPECT_EQ(shown[i].text, want[i].text);
        EXPECT_EQ(shown[i].icon, want[i].icon);
    }
}
