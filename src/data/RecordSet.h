#pragma once
#include <QSqlRecord>
#include <QString>
#include <QVariant>
#include <vector>

// A forward-only, read-only record set opened from an SQL text on the content
// database named by a connection string. The connection lives only while the
// query runs: no connection stays open between queries, so a new content
// package can replace the file at any time.
//
// The database file may be SQLite (what our packages carry) or a genuine
// Access/Jet file, which is imported once into an SQLite cache beside it.
class RecordSet {
public:
    explicit RecordSet(const QString& sql);
    RecordSet(const QString& sql, const QString& connectionString);

    bool IsOpen() const { return m_open; }
    QString Error() const { return m_error; }

    bool EndOfData() const { return m_row >= m_rows.size(); }
    void MoveNext() { ++m_row; }

    bool HasField(const QString& name) const;
    // Null (or a missing column) is distinguishable from an empty text.
    bool IsNull(const QString& name) const;
    QVariant Value(const QString& name) const;
    // The field as text; Null reads as the empty text.
    QString Text(const QString& name) const;
    // Text() without leading and trailing blanks, as the readers use it.
    QString Trimmed(const QString& name) const;

private:
    void open(const QString& sql, const QString& connectionString);

    std::vector<QSqlRecord> m_rows;
    size_t m_row = 0;
    bool m_open = false;
    QString m_error;
};

// The SQLite file that answers queries for a database file: the file itself,
// or for an Access/Jet file its imported cache (made or refreshed here).
// Empty with *error set when neither works.
QString SqliteFileFor(const QString& databasePath, QString* error = nullptr);
bool IsJetDatabase(const QString& path);
