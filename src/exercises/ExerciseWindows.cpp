#include "ExerciseWindows.h"

#include "frmExam1.h"
#include "frmExam2.h"
#include "frmExam3.h"
#include "frmExam4.h"
#include "lessons/ExerciseLauncher.h"

#include <QPointer>

namespace {
QPointer<ExerciseWindow> g_windows[5];
}

ExerciseWindow* ExerciseWindowFor(int entry)
{
    if (entry < 1 || entry > 4)
        return nullptr;
    QPointer<ExerciseWindow>& w = g_windows[entry];
    if (!w) {
        switch (entry) {
        case 1:
            w = new frmExam1;
            break;
        case 2:
            w = new frmExam2;
            break;
        case 3:
            w = new frmExam3;
            break;
        default:
            w = new frmExam4;
            break;
        }
        // An unloaded window is deleted a little later; a new opening gets a new one.
        QObject::connect(w, &SkinnedWindow::unloaded, [entry] { g_windows[entry] = nullptr; });
    }
    return w;
}

void OpenExercise(int entry)
{
    ExerciseWindow* w = ExerciseWindowFor(entry);
    if (!w)
        return;
    if (w->isVisible()) {
        w->raise();
        return;
    }
    w->Form_Load();
}

void RegisterExerciseWindows() { SetExerciseOpener(OpenExercise); }
