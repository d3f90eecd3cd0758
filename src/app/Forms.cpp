#include "Forms.h"

#include "Trace.h"

#include <QPointer>
#include <QWidget>

namespace {
QList<QPointer<QWidget>>& forms()
{
    static QList<QPointer<QWidget>> list;
    return list;
}
}

void RegisterForm(QWidget* form)
{
    if (!form || LoadedForms().contains(form))
        return;
    forms().append(form);
    Trace::window(form->objectName(), QStringLiteral("loaded"));
}

void UnregisterForm(QWidget* form)
{
    auto& list = forms();
    for (qsizetype i = 0; i < list.size(); ++i) {
        if (list[i] == form) {
            list.removeAt(i);
            Trace::window(form->objectName(), QStringLiteral("unloaded"));
            return;
        }
    }
}

QList<QWidget*> LoadedForms()
{
    QList<QWidget*> out;
    for (const auto& f : forms())
        if (f)
            out.append(f.data());
    return out;
}

void UnloadForm(QWidget* form)
{
    if (!form)
        return;
    UnregisterForm(form);
    form->close();
    form->deleteLater();
}
