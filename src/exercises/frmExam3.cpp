#include "frmExam3.h"

#include "ExerciseCommands.h"
#include "ExerciseFeedback.h"
#include "ExercisePages.h"
#include "ui/HtmlView.h"

frmExam3::frmExam3()
    : ExerciseWindow(3, {QRect(44, 148, 185, 537), QRect(256, 136, 711, 553), QPoint(902, 30), QRect(32, 82, 939, 615)})
{
}

void frmExam3::GetMainData() { webMain->WritePage(Exercise3Page(selectedUnit())); }

void frmExam3::webMain_BeforeNavigate2(const QString& command)
{
    const ExerciseCommand c = JudgedCommand(command);
    if (c.action == ExerciseAction::PlaySound)
        PlaySound(c.value);
    else
        ShowExerciseFeedback(exercise(), c.action);
}
