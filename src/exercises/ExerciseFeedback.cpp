#include "ExerciseFeedback.h"

#include "app/SystemBox.h"

void ShowExerciseFeedback(int exercise, ExerciseAction action)
{
    const QString caption = QStringLiteral("訊息");
    const bool spelling = exercise == 4;
    switch (action) {
    case ExerciseAction::Correct:
    case ExerciseAction::CorrectThenNext:
        ShowSystemBox(caption, spelling ? QStringLiteral("您答對了，請按 [確定] 繼續") : QStringLiteral("您答對了"),
                      SystemBoxIcon::Information);
        break;
    case ExerciseAction::Wrong:
        ShowSystemBox(caption,
                      spelling ? QStringLiteral("您再想想看，若需要提示請按﹝提示一字母﹞") : QStringLiteral("您答錯了，請再想想看"),
                      SystemBoxIcon::Warning);
        break;
    case ExerciseAction::RangeFinished:
        if (spelling)
            ShowSystemBox(caption, QStringLiteral("該範圍題目已全部結束，請由左方選取《聽音拼字練習》項目 "), SystemBoxIcon::Warning);
        break;
    default:
        break;
    }
}
