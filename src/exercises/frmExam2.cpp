#include "frmExam2.h"

#include "ExerciseCommands.h"
#include "ExercisePages.h"
#include "ui/HtmlView.h"

frmExam2::frmExam2()
    : ExerciseWindow(2, {QRect(52, 140, 307, 549), QRect(396, 138, 571, 551), QPoint(906, 30), QRect(32, 84, 939, 611)})
{
}

void frmExam2::GetMainData() { webMain->WritePage(Exercise2Page(selectedUnit())); }

void frmExam2::webMain_BeforeNavigate2(const QString& command) { PlaySound(ReadAlongCommand(command).value); }
