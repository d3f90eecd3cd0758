#include "SystemBox.h"

#include "Trace.h"

#include <QMessageBox>

namespace {
SystemBoxHandler g_handler;
}

void SetSystemBoxHandler(SystemBoxHandler handler) { g_handler = std::move(handler); }

void ShowSystemBox(const QString& title, const QString& text, SystemBoxIcon icon)
{
    Trace::sysbox(title, text, static_cast<int>(icon));
    if (g_handler) {
        g_handler(title, text, icon);
        return;
    }
    // End-to-end tests read the box from the trace instead of clicking it.
    if (qEnvironmentVariableIsSet("VARNELO_AUTO_ANSWER"))
        return;
    QMessageBox::Icon qicon = QMessageBox::Information;
    if (icon == SystemBoxIcon::Warning)
        qicon = QMessageBox::Warning;
    else if (icon == SystemBoxIcon::Error)
        qicon = QMessageBox::Critical;
    QMessageBox box(qicon, title, text, QMessageBox::Ok);
    box.setWindowModality(Qt::ApplicationModal);
    box.setWindowFlag(Qt::WindowStaysOnTopHint);
    box.exec();
}
