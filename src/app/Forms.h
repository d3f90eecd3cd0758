#pragma once
#include <QList>
#include <QString>

class QWidget;

// The program's collection of loaded windows, in loading order. A window is
// registered when it is loaded (created) and removed when it is unloaded; the
// window's objectName is its form name ("frmMain") in the trace.
void RegisterForm(QWidget* form);
void UnregisterForm(QWidget* form);
QList<QWidget*> LoadedForms();
// Unloads one window: removes it from the collection, closes it and deletes
// it once control returns to the event loop (it may be unloading itself from
// one of its own handlers).
void UnloadForm(QWidget* form);
