#include "JetImport.h"

#include <QAtomicInteger>
#include <QDate>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringDecoder>
#include <QTemporaryFile>
#include <QtEndian>

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <optional>
#include <system_error>
#include <vector>

#include <glib.h>
#include <mdbtools.h>

namespace {

struct ImportFailure {
    QString message;
};

[[noreturn]] void Fail(const QString& message) { throw ImportFailure{message}; }

struct MdbCloser {
    void operator()(MdbHandle* mdb) const { mdb_close(mdb); }
};
struct TableDefFreer {
    void operator()(MdbTableDef* table) const { mdb_free_tabledef(table); }
};
using JetFile = std::unique_ptr<MdbHandle, MdbCloser>;
using JetTableDef = std::unique_ptr<MdbTableDef, TableDefFreer>;

// A row's offset in its page shares the 16-bit slot with the row's flags.
constexpr int kRowOffsetMask = 0x1fff;
// MSysObjects lives at a fixed page; its Id column holds an object's first
// page in the low 24 bits, its Type column the object type in the low 7.
constexpr unsigned long kObjectsTablePage = 2;
constexpr long kPageNumberMask = 0x00ffffff;
constexpr int kObjectTypeMask = 0x7f;
// iconv stops short of a full buffer when the next character would not fit.
constexpr int kLongestUtf8Char = 4;
// The dates Access accepts, 100-01-01 to 9999-12-31, as days from 1899-12-30.
constexpr double kFirstJetDay = -657434;
constexpr double kLastJetDay = 2958465;

// Jet keeps a moment as days since 1899-12-30 with the time of day as the
// fraction; before that day the whole part counts back while the fraction
// still runs forward through the day. Seconds are the finest Jet shows.
std::optional<QString> JetDateText(double days)
{
    const double whole = std::trunc(days);
    if (!std::isfinite(days) || whole < kFirstJetDay || whole > kLastJetDay)
        return std::nullopt;
    const qint64 seconds = std::llround(std::abs(days - whole) * 86400.0);
    const QDateTime midnight(QDate(1899, 12, 30).addDays(qint64(whole)), QTime(0, 0), Qt::UTC);
    return midnight.addSecs(seconds).toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

// Widened bit for bit, a Single shows noise digits (0.1 becomes
// 0.100000001...); its shortest decimal form is the number Jet shows.
double SingleAsDouble(float value)
{
    char text[32];
    const char* end = std::to_chars(text, text + sizeof text, value).ptr;
    double result = 0;
    std::from_chars(text, end, result);
    return result;
}

struct JetTable {
    QString name;
    MdbCatalogEntry entry;
};

// The rows of one Jet table in stored order, each value converted for
// SQLite. Every column is bound to a buffer of the handle's bind size; when a
// text may have been cut at that size the reader doubles it and reads the
// row again, so long memos arrive whole.
class TableReader {
public:
    explicit TableReader(JetTable& table);

    int columnCount() const { return int(m_table->num_cols); }
    int columnType(int i) const { return column(i)->col_type; }
    QString columnName(int i) const { return decoded(column(i)->name, qstrlen(column(i)->name)); }
    int columnIndex(const char* name) const;

    // False at the end, which is reached only when every stored row was read.
    bool next();
    // Null stays an invalid QVariant; empty text stays an empty, non-null one.
    QVariant value(int i);

private:
    MdbColumn* column(int i) const { return static_cast<MdbColumn*>(g_ptr_array_index(m_table->columns, i)); }
    void bindColumns();
    bool textMayBeCut() const;
    void rereadWithLargerBuffers();
    void readNullFlags();
    QByteArray bound(int i) const { return QByteArray::fromRawData(m_buffers[i].data(), m_lengths[i]); }
    QString decoded(const char* text, qsizetype length) const;
    QString text(int i) const;
    QString dateText(int i) const;
    double decimal(int i) const;
    QByteArray oleBytes(int i) const;
    QByteArray rawBytes(int i) const;
    // Where a failure happened, for its message.
    QString row() const;
    QString field(int i) const;

    MdbHandle* m_mdb;
    mutable QStringDecoder m_decoder;
    JetTableDef m_table;
    QString m_name;
    std::vector<std::vector<char>> m_buffers;
    std::vector<int> m_lengths;
    std::vector<MdbField> m_fields;
    std::vector<bool> m_null;
    unsigned int m_rowsRead = 0;
};

TableReader::TableReader(JetTable& table)
    : m_mdb(table.entry.mdb),
      // A leading byte-order mark in a value is data, not a marker to strip.
      m_decoder(mdb_target_charset(m_mdb),
                QStringConverter::Flag::Stateless | QStringConverter::Flag::ConvertInitialBom),
      m_table(mdb_read_table(&table.entry)),
      m_name(table.name)
{
    if (!m_decoder.isValid())
        Fail(QStringLiteral("libmdb delivers text as %1, which cannot be decoded")
                 .arg(QLatin1String(mdb_target_charset(m_mdb))));
    if (!m_table || !mdb_read_columns(m_table.get()))
        Fail(QStringLiteral("table \"%1\": its definition cannot be read").arg(m_name));
    m_buffers.resize(m_table->num_cols);
    m_lengths.resize(m_table->num_cols);
    m_fields.resize(m_table->num_cols);
    m_null.resize(m_table->num_cols);
    bindColumns();
    mdb_rewind_table(m_table.get());
}

int TableReader::columnIndex(const char* name) const
{
    for (int i = 0; i < columnCount(); ++i) {
        if (qstricmp(column(i)->name, name) == 0)
            return i;
    }
    Fail(QStringLiteral("table \"%1\" has no column %2").arg(m_name, QLatin1String(name)));
}

void TableReader::bindColumns()
{
    for (int i = 0; i < columnCount(); ++i) {
        m_buffers[i].resize(m_mdb->bind_size);
        mdb_bind_column(m_table.get(), i + 1, m_buffers[i].data(), &m_lengths[i]);
    }
}

bool TableReader::next()
{
    if (!mdb_fetch_row(m_table.get())) {
        // A page that cannot be read ends the scan early without a word.
        if (m_rowsRead != m_table->num_rows)
            Fail(QStringLiteral("table \"%1\": read %2 of its %3 rows; the file is damaged or incomplete")
                     .arg(m_name, QString::number(m_rowsRead), QString::number(m_table->num_rows)));
        return false;
    }
    ++m_rowsRead;
    while (textMayBeCut())
        rereadWithLargerBuffers();
    readNullFlags();
    return true;
}

bool TableReader::textMayBeCut() const
{
    for (int i = 0; i < columnCount(); ++i) {
        const int type = columnType(i);
        if ((type == MDB_TEXT || type == MDB_MEMO) && m_lengths[i] + kLongestUtf8Char >= int(m_mdb->bind_size))
            return true;
    }
    return false;
}

void TableReader::rereadWithLargerBuffers()
{
    mdb_set_bind_size(m_mdb, m_mdb->bind_size * 2);
    bindColumns();
    // The scan has already stepped past the row it delivered.
    if (!mdb_read_row(m_table.get(), m_table->cur_row - 1))
        Fail(row() + QStringLiteral(" cannot be read again"));
}

// Bound values cannot tell Null from an empty text (both arrive as ""), so
// the row's null mask is read again from the page the row came from.
void TableReader::readNullFlags()
{
    int start = 0;
    size_t size = 0;
    if (mdb_find_row(m_mdb, int(m_table->cur_row) - 1, &start, &size) != 0)
        Fail(row() + QStringLiteral(" cannot be located"));
    // The count returned is the row's own, deleted columns included; the
    // fields are filled for every column of the table, in its order.
    if (mdb_crack_row(m_table.get(), start & kRowOffsetMask, size, m_fields.data()) < 0)
        Fail(row() + QStringLiteral(" is damaged"));
    for (int i = 0; i < columnCount(); ++i)
        m_null[i] = m_fields[i].is_null;
}

QVariant TableReader::value(int i)
{
    const MdbColumn* col = column(i);
    // A yes/no value lives in the null mask itself, so it is never Null.
    if (col->col_type == MDB_BOOL)
        return qlonglong(bound(i) == "1");
    if (m_null[i])
        return QVariant();
    unsigned char* page = m_mdb->pg_buf;
    const int at = col->cur_value_start;
    switch (col->col_type) {
    case MDB_BYTE:
        return qlonglong(mdb_get_byte(page, at));
    case MDB_INT:
        return qlonglong(qint16(mdb_get_int16(page, at)));
    case MDB_LONGINT:
    case MDB_COMPLEX:
        return qlonglong(qint32(mdb_get_int32(page, at)));
    case MDB_MONEY:  // a 64-bit count of ten-thousandths
        return double(qFromLittleEndian<qint64>(page + at)) / 10000.0;
    case MDB_FLOAT:
        return SingleAsDouble(mdb_get_single(page, at));
    case MDB_DOUBLE:
        return mdb_get_double(page, at);
    case MDB_DATETIME:
        return dateText(i);
    case MDB_NUMERIC:
        return decimal(i);
    case MDB_TEXT:
    case MDB_MEMO:
    case MDB_REPID:
        return text(i);
    case MDB_OLE:
        return oleBytes(i);
    default:  // binary, and types libmdb does not know, kept as they are stored
        return rawBytes(i);
    }
}

QString TableReader::decoded(const char* text, qsizetype length) const
{
    QString result = m_decoder.decode(QByteArrayView(text, length));
    // An empty text must not turn into Null on its way into SQLite.
    return result.isNull() ? QStringLiteral("") : result;
}

QString TableReader::text(int i) const { return decoded(m_buffers[i].data(), m_lengths[i]); }

// libmdb's own date text drops everything outside 1899-12-30 to about 2700,
// so the stored number is converted here.
QString TableReader::dateText(int i) const
{
    const double days = mdb_get_double(m_mdb->pg_buf, column(i)->cur_value_start);
    const std::optional<QString> text = JetDateText(days);
    if (!text)
        Fail(field(i) + QStringLiteral(": %1 is not a date").arg(days));
    return *text;
}

// libmdb spells a decimal out digit by digit, without the locale's help.
double TableReader::decimal(int i) const
{
    bool ok = false;
    const double number = bound(i).toDouble(&ok);
    if (!ok)
        Fail(field(i) + QStringLiteral(": \"%1\" is not a number").arg(QString::fromLatin1(bound(i))));
    return number;
}

QByteArray TableReader::oleBytes(int i) const
{
    size_t size = 0;
    void* data = mdb_ole_read_full(m_mdb, column(i), &size);
    QByteArray bytes(static_cast<const char*>(data), qsizetype(size));
    free(data);
    return bytes;
}

QByteArray TableReader::rawBytes(int i) const
{
    const MdbColumn* col = column(i);
    // Never a null QByteArray, which would be written as Null.
    return QByteArray(reinterpret_cast<const char*>(m_mdb->pg_buf) + col->cur_value_start, col->cur_value_len);
}

QString TableReader::row() const
{
    return QStringLiteral("table \"%1\", row %2").arg(m_name, QString::number(m_rowsRead));
}

QString TableReader::field(int i) const { return row() + QStringLiteral(", column \"%1\"").arg(columnName(i)); }

// libmdb's catalog reader also parses every object's property blob, and on
// a damaged file that parse can loop, allocating without bound; the list of
// tables needs only the ids, names, types and flags of MSysObjects.
std::vector<JetTable> UserTables(MdbHandle* mdb)
{
    JetTable objects{QStringLiteral("MSysObjects"), {}};
    objects.entry.mdb = mdb;
    objects.entry.object_type = MDB_TABLE;
    objects.entry.table_pg = kObjectsTablePage;
    qstrncpy(objects.entry.object_name, "MSysObjects", sizeof objects.entry.object_name);

    TableReader rows(objects);
    const int id = rows.columnIndex("Id");
    const int name = rows.columnIndex("Name");
    const int type = rows.columnIndex("Type");
    const int flags = rows.columnIndex("Flags");
    std::vector<JetTable> tables;
    while (rows.next()) {
        JetTable table{rows.value(name).toString(), {}};
        table.entry.mdb = mdb;
        table.entry.object_type = rows.value(type).toInt() & kObjectTypeMask;
        table.entry.table_pg = rows.value(id).toLongLong() & kPageNumberMask;
        table.entry.flags = int(rows.value(flags).toLongLong());
        qstrncpy(table.entry.object_name, table.name.toUtf8().constData(), sizeof table.entry.object_name);
        if (mdb_is_user_table(&table.entry))
            tables.push_back(std::move(table));
    }
    return tables;
}

JetFile OpenJet(const QString& path)
{
    JetFile mdb(mdb_open(QFile::encodeName(path).constData(), MDB_NOFLAGS));
    if (!mdb)
        Fail(QStringLiteral("libmdb cannot open it"));
    // Cut short inside a page, a file makes libmdb read stale buffers as data.
    if (QFileInfo(path).size() % mdb->fmt->pg_size != 0)
        Fail(QStringLiteral("the file is incomplete (its size is not a whole number of pages)"));
    mdb_set_boolean_fmt_numbers(mdb.get());
    return mdb;
}

QString Quoted(const QString& identifier)
{
    return QLatin1Char('"') + QString(identifier).replace(QLatin1Char('"'), QLatin1String("\"\"")) + QLatin1Char('"');
}

// Text compares without case, as it does in Jet.
QLatin1String SqliteTypeOf(int jetType)
{
    switch (jetType) {
    case MDB_BOOL:
    case MDB_BYTE:
    case MDB_INT:
    case MDB_LONGINT:
    case MDB_COMPLEX:
        return QLatin1String("INTEGER");
    case MDB_MONEY:
    case MDB_FLOAT:
    case MDB_DOUBLE:
    case MDB_NUMERIC:
        return QLatin1String("REAL");
    case MDB_TEXT:
    case MDB_MEMO:
    case MDB_REPID:
    case MDB_DATETIME:
        return QLatin1String("TEXT COLLATE NOCASE");
    default:
        return QLatin1String("BLOB");
    }
}

QString CreateTableSql(const QString& table, const TableReader& rows)
{
    QStringList columns;
    for (int i = 0; i < rows.columnCount(); ++i)
        columns << Quoted(rows.columnName(i)) + QLatin1Char(' ') + SqliteTypeOf(rows.columnType(i));
    return QStringLiteral("CREATE TABLE %1 (%2)").arg(Quoted(table), columns.join(QStringLiteral(", ")));
}

QString InsertSql(const QString& table, int columnCount)
{
    QStringList marks;
    for (int i = 0; i < columnCount; ++i)
        marks << QStringLiteral("?");
    return QStringLiteral("INSERT INTO %1 VALUES (%2)").arg(Quoted(table), marks.join(QStringLiteral(", ")));
}

// A Qt SQL connection to an SQLite file, closed and unregistered on the way out.
class SqliteConnection {
public:
    explicit SqliteConnection(const QString& file);
    ~SqliteConnection();
    SqliteConnection(const SqliteConnection&) = delete;
    SqliteConnection& operator=(const SqliteConnection&) = delete;

    QSqlDatabase database() const { return QSqlDatabase::database(m_name, false); }
    void exec(const QString& sql) const;

private:
    QString m_name;
};

SqliteConnection::SqliteConnection(const QString& file)
{
    static QAtomicInteger<quint64> counter;
    m_name = QStringLiteral("varnelo-jet-import-%1").arg(counter.fetchAndAddRelaxed(1));
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_name);
    db.setDatabaseName(file);
    if (!db.open())
        Fail(QStringLiteral("cannot open %1: %2").arg(QDir::toNativeSeparators(file), db.lastError().text()));
}

SqliteConnection::~SqliteConnection()
{
    database().close();
    QSqlDatabase::removeDatabase(m_name);
}

void SqliteConnection::exec(const QString& sql) const
{
    QSqlQuery query(database());
    if (!query.exec(sql))
        Fail(query.lastError().text() + QStringLiteral(" in: ") + sql);
}

// The new cache, written under a temporary name beside the target and
// renamed over it only once everything is in and committed.
class CacheWriter {
public:
    explicit CacheWriter(const QString& target);

    void copyTable(JetTable& table);
    void commit();

private:
    QString m_target;
    QTemporaryFile m_file;
    std::optional<SqliteConnection> m_db;
};

CacheWriter::CacheWriter(const QString& target) : m_target(target), m_file(target + QStringLiteral(".XXXXXX"))
{
    if (!m_file.open())
        Fail(QStringLiteral("cannot create a file beside %1: %2")
                 .arg(QDir::toNativeSeparators(target), m_file.errorString()));
    m_file.close();
    m_db.emplace(m_file.fileName());
    // A failed import throws the file away, so a rollback journal buys nothing.
    m_db->exec(QStringLiteral("PRAGMA journal_mode=OFF"));
    m_db->exec(QStringLiteral("BEGIN"));
}

void CacheWriter::copyTable(JetTable& table)
{
    TableReader rows(table);
    m_db->exec(CreateTableSql(table.name, rows));
    QSqlQuery insert(m_db->database());
    if (!insert.prepare(InsertSql(table.name, rows.columnCount())))
        Fail(QStringLiteral("table \"%1\": %2").arg(table.name, insert.lastError().text()));
    while (rows.next()) {
        for (int i = 0; i < rows.columnCount(); ++i)
            insert.bindValue(i, rows.value(i));
        if (!insert.exec())
            Fail(QStringLiteral("table \"%1\": %2").arg(table.name, insert.lastError().text()));
    }
}

void CacheWriter::commit()
{
    m_db->exec(QStringLiteral("COMMIT"));
    // Closed first: an open file cannot be renamed everywhere.
    m_db.reset();
    std::error_code failure;
    std::filesystem::rename(QFileInfo(m_file.fileName()).filesystemAbsoluteFilePath(),
                            QFileInfo(m_target).filesystemAbsoluteFilePath(), failure);
    if (failure)
        Fail(QStringLiteral("cannot replace %1: %2")
                 .arg(QDir::toNativeSeparators(m_target), QString::fromLocal8Bit(failure.message())));
    m_file.setAutoRemove(false);
}

}  // namespace

bool ImportJetToSqlite(const QString& jetPath, const QString& sqlitePath, QString* error)
{
    try {
        const JetFile jet = OpenJet(jetPath);
        std::vector<JetTable> tables = UserTables(jet.get());
        CacheWriter cache(sqlitePath);
        for (JetTable& table : tables)
            cache.copyTable(table);
        cache.commit();
        return true;
    } catch (const ImportFailure& failure) {
        if (error)
            *error = QStringLiteral("cannot import %1: %2").arg(QDir::toNativeSeparators(jetPath), failure.message);
        return false;
    }
}
