#include "RecordSet.h"

#include "Database.h"
#include "JetImport.h"
#include "Text.h"
#include "app/AppValues.h"
#include "app/Trace.h"

#include <QAtomicInteger>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

bool IsJetDatabase(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return false;
    const QByteArray head = f.read(32);
    return head.mid(4, 15) == "Standard Jet DB" || head.mid(4, 15) == "Standard ACE DB";
}

QString SqliteFileFor(const QString& databasePath, QString* error)
{
    if (!QFileInfo::exists(databasePath)) {
        if (error)
            *error = QStringLiteral("database file not found: ") + databasePath;
        return QString();
    }
    if (!IsJetDatabase(databasePath))
        return databasePath;
    const QString cache = databasePath + QStringLiteral(".sqlite");
    const QFileInfo cacheInfo(cache);
    if (cacheInfo.exists() && cacheInfo.lastModified() >= QFileInfo(databasePath).lastModified())
        return cache;
    QString why;
    if (!ImportJetToSqlite(databasePath, cache, &why)) {
        if (error)
            *error = why;
        return QString();
    }
    return cache;
}

RecordSet::RecordSet(const QString& sql) { open(sql, App().ConnectionString); }

RecordSet::RecordSet(const QString& sql, const QString& connectionString) { open(sql, connectionString); }

void RecordSet::open(const QString& sql, const QString& connectionString)
{
    Trace::sql(sql);
    const QString file = SqliteFileFor(DatabasePathFromConnectionString(connectionString), &m_error);
    if (file.isEmpty())
        return;

    static QAtomicInteger<quint64> counter;
    const QString name = QStringLiteral("varnelo-rs-%1").arg(counter.fetchAndAddRelaxed(1));
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(file);
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        if (!db.open()) {
            m_error = db.lastError().text();
        } else {
            QSqlQuery query(db);
            query.setForwardOnly(true);
            if (!query.exec(sql)) {
                m_error = query.lastError().text();
            } else {
                while (query.next())
                    m_rows.push_back(query.record());
                m_open = true;
            }
            query.finish();
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
}

bool RecordSet::HasField(const QString& name) const
{
    return !EndOfData() && m_rows[m_row].indexOf(name) >= 0;
}

QVariant RecordSet::Value(const QString& name) const
{
    if (EndOfData())
        return QVariant();
    return m_rows[m_row].value(name);
}

bool RecordSet::IsNull(const QString& name) const
{
    if (EndOfData())
        return true;
    const int at = m_rows[m_row].indexOf(name);
    return at < 0 || m_rows[m_row].isNull(at);
}

QString RecordSet::Text(const QString& name) const
{
    return IsNull(name) ? QString() : Value(name).toString();
}

QString RecordSet::Trimmed(const QString& name) const
{
    return TrimBlanks(Text(name));
}
