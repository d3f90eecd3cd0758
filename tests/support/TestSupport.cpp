#include "TestSupport.h"

#include "app/AppValues.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QEventLoop>
#include <QTimer>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

bool ExecSqlite(const QString& path, const QStringList& statements, QString* error)
{
    bool ok = true;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("fixture-writer"));
        db.setDatabaseName(path);
        ok = db.open();
        if (ok) {
            QSqlQuery q(db);
            for (const QString& s : statements) {
                if (!q.exec(s)) {
                    if (error)
                        *error = q.lastError().text() + QStringLiteral(" in ") + s;
                    ok = false;
                    break;
                }
            }
        } else if (error) {
            *error = db.lastError().text();
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("fixture-writer"));
    return ok;
}

FixtureDataFolder::FixtureDataFolder(const QStringList& sqlStatements)
{
    m_hadTmp = qEnvironmentVariableIsSet("TMP");
    m_oldTmp = qgetenv("TMP");
    qputenv("TMP", m_dir.path().toLocal8Bit());
    InitGlobalValues();
    QDir().mkpath(dataFolder());
    m_ok = sqlStatements.isEmpty() || ExecSqlite(databasePath(), sqlStatements);
}

FixtureDataFolder::~FixtureDataFolder()
{
    if (m_hadTmp)
        qputenv("TMP", m_oldTmp);
    else
        qunsetenv("TMP");
    InitGlobalValues();
}

QString FixtureDataFolder::dataFolder() const { return DataFolder(); }

QString FixtureDataFolder::databasePath() const { return DataFolder() + PathSep() + QStringLiteral("vrnbase.mdb"); }

QString FixturesDir()
{
    const QString dir = QStringLiteral(VARNELO_FIXTURES_DIR);
    return QDir(dir).exists() ? dir : QString();
}

bool WaitUntil(const std::function<bool()>& pred, int timeoutMs)
{
    if (pred())
        return true;
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (pred())
            loop.quit();
    });
    QTimer deadline;
    deadline.setSingleShot(true);
    QObject::connect(&deadline, &QTimer::timeout, &loop, &QEventLoop::quit);
    poll.start(5);
    deadline.start(timeoutMs);
    loop.exec();
    return pred();
}

QList<QJsonObject> TraceEvents(const QString& tracePath, const QString& ev)
{
    QList<QJsonObject> out;
    QFile f(tracePath);
    if (!f.open(QIODevice::ReadOnly))
        return out;
    QList<QByteArray> lines = f.readAll().split('\n');
    lines.removeLast();  // empty after a final line end, else a line still being written
    for (const QByteArray& line : lines) {
        const QJsonObject e = QJsonDocument::fromJson(line).object();
        if (!e.isEmpty() && (ev.isEmpty() || e.value(QStringLiteral("ev")).toString() == ev))
            out << e;
    }
    return out;
}
