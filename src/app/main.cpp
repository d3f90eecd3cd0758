#include "ExitProgram.h"
#include "SingleInstance.h"
#include "exercises/ExerciseWindows.h"
#include "frmStartUp.h"
#include "ui/HtmlView.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    SingleInstance instance;
    if (!instance.acquired())
        return 0;

    HtmlView::RegisterSchemes();
    QApplication app(argc, argv);
    app.setApplicationName(QStringLiteral("Varnelo"));
    app.setQuitOnLastWindowClosed(false);
    RegisterExerciseWindows();

    auto* startup = new frmStartUp;
    if (!startup->Form_Load())
        return 0;

    const int rc = app.exec();
    // Let windows unloaded by the exit procedure finish (temporary sound copies are deleted then).
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return rc;
}
