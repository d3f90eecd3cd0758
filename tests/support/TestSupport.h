#pragma once
#include <QJsonObject>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <functional>

// A content database built from SQL text in a fresh temporary folder laid out
// as a data folder (TMP/Varnelo/vrnbase.mdb), with the application values
// pointed at it. Text columns should be declared COLLATE NOCASE, as the
// content builder declares them.
class FixtureDataFolder {
public:
    explicit FixtureDataFolder(const QStringList& sqlStatements = {});
    ~FixtureDataFolder();
    QString tempFolder() const { return m_dir.path(); }
    QString dataFolder() const;
    QString databasePath() const;
    bool ok() const { return m_ok; }

private:
    QTemporaryDir m_dir;
    QByteArray m_oldTmp;
    bool m_hadTmp = false;
    bool m_ok = false;
};

// Runs SQL statements against an SQLite file, creating it.
bool ExecSqlite(const QString& path, const QStringList& statements, QString* error = nullptr);

// The shared fixtures folder (Access/Jet samples); empty when absent.
QString FixturesDir();

// Runs the event loop until pred() holds or the time is up; returns pred().
// Timers, fades and page loads go on meanwhile, as they do in the program.
bool WaitUntil(const std::function<bool()>& pred, int timeoutMs = 15000);

// The events of a trace file (VARNELO_TRACE), in order; only those named ev
// when ev is given. Reads whole lines only, so a line the program is still
// writing is not taken for an event.
QList<QJsonObject> TraceEvents(const QString& tracePath, const QString& ev = QString());
