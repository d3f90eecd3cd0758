#pragma once
#include <QJsonObject>
#include <QString>

// When VARNELO_TRACE names a file, each event is appended to it as one JSON
// object per line, flushed at once, so a test outside the process can follow
// the program. Otherwise nothing is written and the calls cost a branch.
namespace Trace {
bool enabled();
void event(const QString& ev, QJsonObject fields = {});

void window(const QString& name, const QString& state);
void page(const QString& window, const QString& view, const QString& html);
void sql(const QString& text);
void sysbox(const QString& title, const QString& text, int icon);
void sound(const QString& name, const QString& state);

// Tests redirect the trace to a file of their own (empty path: off).
void openForTest(const QString& path);
}
