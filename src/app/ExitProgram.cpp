#include "ExitProgram.h"

#include "Forms.h"
#include "Trace.h"

#include <QCoreApplication>
#include <QWidget>

void ExitProgramProc()
{
    static bool ran = false;
    if (ran)
        return;
    ran = true;
    Trace::event(QStringLiteral("exit"));
    const QList<QWidget*> forms = LoadedForms();
    for (qsizetype i = forms.size() - 1; i >= 0; --i)
        UnloadForm(forms[i]);
    QCoreApplication::exit(0);
}
