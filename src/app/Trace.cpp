#include "Trace.h"

#include <QElapsedTimer>
#include <QFile>
#include <QJsonDocument>

namespace {
struct TraceFile {
    QFile file;
    QElapsedTimer clock;
    bool on = false;

    TraceFile()
    {
        clock.start();
        const QByteArray path = qgetenv("VARNELO_TRACE");
        if (!path.isEmpty())
            open(QString::fromLocal8Bit(path));
    }
    void open(const QString& path)
    {
        if (file.isOpen())
            file.close();
        on = false;
        if (path.isEmpty())
            return;
        file.setFileName(path);
        on = file.open(QIODevice::WriteOnly | QIODevice::Append);
    }
};

TraceFile& traceFile()
{
    static TraceFile t;
    return t;
}
}

namespace Trace {
bool enabled() { return traceFile().on; }

void event(const QString& ev, QJsonObject fields)
{
    TraceFile& t = traceFile();
    if (!t.on)
        return;
    fields.insert(QStringLiteral("t"), t.clock.elapsed());
    fields.insert(QStringLiteral("ev"), ev);
    QByteArray line = QJsonDocument(fields).toJson(QJsonDocument::Compact);
    line.append('\n');
    t.file.write(line);
    t.file.flush();
}

void window(const QString& name, const QString& state)
{
    if (enabled())
        event(QStringLiteral("window"), {{QStringLiteral("name"), name}, {QStringLiteral("state"), state}});
}

void page(const QString& window, const QString& view, const QString& html)
{
    if (enabled())
        event(QStringLiteral("page"), {{QStringLiteral("window"), window}, {QStringLiteral("view"), view}, {QStringLiteral("html"), html}});
}

void sql(const QString& text)
{
    if (enabled())
        event(QStringLiteral("sql"), {{QStringLiteral("text"), text}});
}

void sysbox(const QString& title, const QString& text, int icon)
{
    if (enabled())
        event(QStringLiteral("sysbox"), {{QStringLiteral("title"), title}, {QStringLiteral("text"), text}, {QStringLiteral("icon"), icon}});
}

void sound(const QString& name, const QString& state)
{
    if (enabled())
        event(QStringLiteral("sound"), {{QStringLiteral("name"), name}, {QStringLiteral("state"), state}});
}

void openForTest(const QString& path) { traceFile().open(path); }
}
