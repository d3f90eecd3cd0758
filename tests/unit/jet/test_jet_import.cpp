#include "support/TestSupport.h"
#include "data/RecordSet.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QVariant>
#include <algorithm>
#include <vector>
#include <gtest/gtest.h>

inline void PrintTo(const QVariant& v, std::ostream* os)
{
    *os << v.typeName() << '(' << (v.isNull() ? "Null" : v.toString().toStdString()) << ')';
}

namespace {

QString SamplesDir() { return FixturesDir() + QStringLiteral("/jet"); }

// A writable copy of one sample under the name the program gives its
// database, alone in a fresh folder so that leftovers show.
class SampleCopy {
public:
    explicit SampleCopy(const QString& sample) : m_path(m_dir.path() + QStringLiteral("/vrnbase.mdb"))
    {
        m_ok = QFile::copy(SamplesDir() + QLatin1Char('/') + sample, m_path) &&
               QFile::setPermissions(m_path, QFile::ReadOwner | QFile::WriteOwner);
    }
    bool ok() const { return m_ok; }
    QString path() const { return m_path; }
    QString cache() const { return m_path + QStringLiteral(".sqlite"); }
    QString connection() const
    {
        return QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=%1;").arg(m_path);
    }
    QStringList files() const { return QDir(m_dir.path()).entryList(QDir::Files, QDir::Name); }

private:
    QTemporaryDir m_dir;
    QString m_path;
    bool m_ok = false;
};

// Every row of one column, as the program reads it.
QStringList Column(const QString& sql, const QString& connection, const QString& column)
{
    RecordSet rs(sql, connection);
    EXPECT_TRUE(rs.IsOpen()) << sql.toStdString() << ": " << rs.Error().toStdString();
    QStringList values;
    for (; !rs.EndOfData(); rs.MoveNext())
        values << rs.Text(column);
    return values;
}

// What one of mdbtools' command-line programs prints: the reference the
// import is held to.
QString ToolOutput(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished(60000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

bool HaveTools() { return !QStandardPaths::findExecutable(QStringLiteral("mdb-export")).isEmpty(); }

class JetImport : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!QFileInfo(SamplesDir()).isDir())
            GTEST_SKIP() << "Access/Jet samples not found (expected in ../shared/fixtures/jet beside the project)";
    }
};

}  // namespace

TEST_F(JetImport, EveryUserTableArrivesWithAllItsRows)
{
    if (!HaveTools())
        GTEST_SKIP() << "mdbtools' command-line programs are not installed";
    for (const char* sample : {"nwind.mdb", "DateTestDatabase.mdb", "ASampleDatabase.accdb"}) {
        SCOPED_TRACE(sample);
        SampleCopy db(QString::fromLatin1(sample));
        ASSERT_TRUE(db.ok());
        const QStringList tables = ToolOutput(QStringLiteral("mdb-tables"), {QStringLiteral("-1"), db.path()})
                                       .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        ASSERT_FALSE(tables.isEmpty());
        EXPECT_EQ(Column(QStringLiteral("select name from sqlite_master where type = 'table'"), db.connection(),
                         QStringLiteral("name")),
                  tables);
        for (const QString& table : tables) {
            const QString count = ToolOutput(QStringLiteral("mdb-count"), {db.path(), table}).trimmed();
            EXPECT_EQ(Column(QStringLiteral("select count(*) as n from \"%1\"").arg(table), db.connection(),
                             QStringLiteral("n")),
                      QStringList{count})
                << table.toStdString();
        }
    }
}

TEST_F(JetImport, ValuesKeepTheirTypeAndContent)
{
    const QVariant null;
    struct Field {
        const char* column;
        QVariant expected;  // invalid: Null
    };
    struct Row {
        const char* sample;
        const char* sql;
        std::vector<Field> fields;
    };
    const Row rows[] = {
        // Access 97: text in the database's code page, Null, currency, yes/no, a line break.
        {"nwind.mdb", "select * from Customers where CustomerID = 'BERGS'",
         {{"City", QStringLiteral("Luleå")}, {"Region", null}}},
        {"nwind.mdb", "select * from Products where ProductID = 5",
         {{"UnitPrice", 21.35}, {"UnitsInStock", qlonglong(0)}, {"Discontinued", qlonglong(1)}}},
        {"nwind.mdb", "select * from Orders where OrderID = 10330",
         {{"OrderDate", QStringLiteral("1994-11-16 00:00:00")}}},
        {"nwind.mdb", "select * from Employees where EmployeeID = 1",
         {{"Address", QStringLiteral("507 - 20th Ave. E.\r\nApt. 2A")}}},
        // Access 2000: dates beyond the range libmdb's own date text covers, a memo.
        {"DateTestDatabase.mdb", "select * from DateTest where IDCol = 2",
         {{"DateCol", QStringLiteral("9999-01-01 00:00:00")}}},
        {"DateTestDatabase.mdb", "select * from DateTest where IDCol = 3",
         {{"DateTimeCol", QStringLiteral("1898-01-01 00:00:00")}}},
        {"DateTestDatabase.mdb", "select * from DateTest where IDCol = 4",
         {{"DateTimeCol", QStringLiteral("0632-01-01 00:00:00")}}},
        {"DateTestDatabase.mdb", "select * from DateTest where IDCol = 6",
         {{"LongTextCol", QStringLiteral("New line\r\nin field")}}},
        // Access 2007.
        {"ASampleDatabase.accdb", "select * from \"Asset Items\" where \"Asset No\" = '30050'",
         {{"Make", QStringLiteral("GEO Rocket")},
          {"Cost", 1995.5},
          {"Warranty", qlonglong(12)},
          {"Acquired", QStringLiteral("1997-09-02 00:00:00")},
          {"Comments", null}}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.sample) + ": " + row.sql);
        SampleCopy db(QString::fromLatin1(row.sample));
        ASSERT_TRUE(db.ok());
        RecordSet rs(QString::fromUtf8(row.sql), db.connection());
        ASSERT_FALSE(rs.EndOfData()) << rs.Error().toStdString();
        for (const Field& field : row.fields) {
            SCOPED_TRACE(field.column);
            const QString column = QString::fromLatin1(field.column);
            ASSERT_TRUE(rs.HasField(column));
            if (field.expected.isValid()) {
                EXPECT_EQ(rs.Value(column).typeId(), field.expected.typeId());
                EXPECT_EQ(rs.Value(column), field.expected);
            } else {
                EXPECT_TRUE(rs.IsNull(column)) << "holds " << rs.Text(column).toStdString();
            }
        }
    }
}

TEST_F(JetImport, OlePictureArrivesByteForByte)
{
    if (!HaveTools())
        GTEST_SKIP() << "mdbtools' command-line programs are not installed";
    SampleCopy db(QStringLiteral("nwind.mdb"));
    ASSERT_TRUE(db.ok());
    // The picture is the last field of the first line: ...,"151C2F00...".
    const QString firstLine = ToolOutput(QStringLiteral("mdb-export"),
                                         {QStringLiteral("-H"), QStringLiteral("-b"), QStringLiteral("hex"), db.path(),
                                          QStringLiteral("Categories")})
                                  .section(QLatin1Char('\n'), 0, 0);
    const QString expected = firstLine.section(QStringLiteral(",\""), -1).chopped(1);
    ASSERT_GT(expected.size(), 8000) << "a picture spread over several pages";

    RecordSet rs(QStringLiteral("select Picture from Categories where CategoryID = 1"), db.connection());
    ASSERT_FALSE(rs.EndOfData()) << rs.Error().toStdString();
    EXPECT_EQ(QString::fromLatin1(rs.Value(QStringLiteral("Picture")).toByteArray().toHex().toUpper()), expected);
}

TEST_F(JetImport, TextComparesWithoutCase)
{
    struct Case {
        const char* sample;
        const char* sql;
        const char* column;
        QStringList expected;
    };
    const Case cases[] = {
        {"nwind.mdb", "select * from Customers where City = 'BERLIN'", "CustomerID", {"ALFKI"}},
        {"nwind.mdb", "select * from Customers where City = 'luleå'", "CustomerID", {"BERGS"}},
        {"nwind.mdb", "select * from Customers where CompanyName like 'alfreds%'", "CustomerID", {"ALFKI"}},
        {"ASampleDatabase.accdb", "select * from \"Asset Items\" where Make like 'geo r%'", "Asset No",
         {"30050", "30066", "30067", "30102", "30104", "30105"}},
        {"ASampleDatabase.accdb", "select * from \"Asset Items\" where Model = '220ZX'", "Serial No",
         {"344-667", "344-22346", "344-22347", "344-22343", "344-22356", "344-22388"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.sql);
        SampleCopy db(QString::fromLatin1(c.sample));
        ASSERT_TRUE(db.ok());
        EXPECT_EQ(Column(QString::fromUtf8(c.sql), db.connection(), QString::fromLatin1(c.column)), c.expected);
    }
}

TEST_F(JetImport, RowsComeInStoredOrderWithoutOrderBy)
{
    if (!HaveTools())
        GTEST_SKIP() << "mdbtools' command-line programs are not installed";
    SampleCopy db(QStringLiteral("nwind.mdb"));
    ASSERT_TRUE(db.ok());
    // Addresses hold line breaks, so rows are told apart by a marker of their own.
    const QString marker = QStringLiteral("<row>");
    QStringList stored;
    const QStringList arguments = {QStringLiteral("-H"), QStringLiteral("-R"), marker, db.path(),
                                   QStringLiteral("Orders")};
    for (const QString& row : ToolOutput(QStringLiteral("mdb-export"), arguments).split(marker, Qt::SkipEmptyParts))
        stored << row.section(QLatin1Char(','), 0, 0);
    QStringList sorted = stored;
    std::sort(sorted.begin(), sorted.end());
    ASSERT_NE(stored, sorted) << "the sample's stored order must differ from key order for this test to mean anything";

    EXPECT_EQ(Column(QStringLiteral("select OrderID from Orders"), db.connection(), QStringLiteral("OrderID")), stored);
}

TEST_F(JetImport, CacheIsMadeOnceAndRemadeWhenTheDatabaseIsNewer)
{
    SampleCopy db(QStringLiteral("DateTestDatabase.mdb"));
    ASSERT_TRUE(db.ok());
    const QString query = QStringLiteral("select * from DateTest");
    ASSERT_TRUE(RecordSet(query, db.connection()).IsOpen());
    ASSERT_TRUE(QFile::exists(db.cache()));

    // A table only this cache holds tells whether a later query imports anew.
    ASSERT_TRUE(ExecSqlite(db.cache(), {QStringLiteral("create table mark (x)")}));
    EXPECT_TRUE(RecordSet(QStringLiteral("select * from mark"), db.connection()).IsOpen());

    QFile database(db.path());
    ASSERT_TRUE(database.open(QIODevice::ReadWrite));
    const QDateTime later = QFileInfo(db.cache()).lastModified().addSecs(60);
    ASSERT_TRUE(database.setFileTime(later, QFileDevice::FileModificationTime));
    database.close();
    EXPECT_FALSE(RecordSet(QStringLiteral("select * from mark"), db.connection()).IsOpen());
    EXPECT_EQ(Column(query, db.connection(), QStringLiteral("IDCol")).size(), 6);
    EXPECT_EQ(db.files(), QStringList({QStringLiteral("vrnbase.mdb"), QStringLiteral("vrnbase.mdb.sqlite")}));
}

TEST_F(JetImport, DamagedFileFailsClearlyAndLeavesNoCache)
{
    struct Case {
        const char* what;
        const char* sample;
        qint64 keptBytes;
        const char* mentions;
    };
    const Case cases[] = {
        {"cut inside a page", "DateTestDatabase.mdb", 150000, "incomplete"},
        {"only the first pages", "nwind.mdb", 2 * 2048, "\"MSysObjects\": its definition cannot be read"},
        {"cut between pages, rows lost", "nwind.mdb", 512 * 2048, "\"MSysObjects\": read 67 of its 106 rows"},
        // Here libmdb's own catalog reader loops, allocating gigabytes.
        {"cut where object properties are missing", "nwind.mdb", 736 * 2048,
         "\"Umsätze\": its definition cannot be read"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SampleCopy db(QString::fromLatin1(c.sample));
        ASSERT_TRUE(db.ok());
        ASSERT_TRUE(QFile::resize(db.path(), c.keptBytes));

        // A query any SQLite file answers: only the import can fail it.
        RecordSet rs(QStringLiteral("select 1"), db.connection());
        EXPECT_FALSE(rs.IsOpen());
        EXPECT_TRUE(rs.Error().contains(QString::fromUtf8(c.mentions))) << rs.Error().toStdString();
        EXPECT_TRUE(rs.Error().contains(QDir::toNativeSeparators(db.path()))) << rs.Error().toStdString();
        EXPECT_EQ(db.files(), QStringList{QStringLiteral("vrnbase.mdb")});
    }
}
