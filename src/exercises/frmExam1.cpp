#include "frmExam1.h"

#include "ExerciseCommands.h"
#include "ExercisePages.h"
#include "ui/HtmlView.h"

frmExam1::frmExam1()
    : ExerciseWindow(1, {QRect(50, 138, 309, 551), QRect(396, 138, 571, 551), QPoint(904, 30), QRect(32, 84, 939, 611)})
{
}

void frmExam1::GetMainData() { webMain->WritePage(Exercise1Page(selectedUnit())); }

void frmExam1::webMain_BeforeNavigate2(const QString& command) { PlaySound(ReadAlongCommand(command).value); }
