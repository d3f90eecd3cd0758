#include "app/SettingsStore.h"

#include <QFile>
#include <QStringDecoder>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {
QByteArray Big5(const QString& s) { return QStringEncoder("Big5").encode(s); }
QString FromBig5(const QByteArray& b) { return QStringDecoder("Big5").decode(b); }

struct SettingsFile {
    QTemporaryDir dir;
    QString path = dir.filePath("setup.set");
    void write(const QByteArray& bytes)
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    QByteArray read() const
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
};

struct ReadCase {
    const char* name;
    QByteArray file;
    QString key;
    QString expected;
};
}

TEST(SettingsValue, ReadsTheFirstMatchingEntry)
{
    const ReadCase cases[] = {
        {"blanks around key and value", "publisher  =  abc  \r\nx\r\n", "publisher", "abc"},
        {"second equals sign drops the rest", "publisher=news.asp?id=5\r\n", "publisher", "news.asp?id"},
        {"key-only line has an empty value", "x\r\npublisher=a\r\n", "x", ""},
        {"case-distinct keys are distinct", "Publisher=upper\r\npublisher=lower\r\n", "publisher", "lower"},
        {"first occurrence wins", "publisher=one\r\npublisher=two\r\n", "publisher", "one"},
        {"absent key", "other=1\r\n", "publisher", ""},
        {"blank lines ignored", "\r\n   \r\npublisher=p\r\n\r\n", "publisher", "p"},
        {"LF-only line ends", "a=1\npublisher=lf\n", "publisher", "lf"},
    };
    for (const auto& c : cases) {
        SettingsFile f;
        f.write(c.file);
        bool ok = false;
        EXPECT_EQ(SettingsValue(f.path, "R", c.key, "", &ok), c.expected) << c.name;
        EXPECT_TRUE(ok) << c.name;
    }
}

TEST(SettingsValue, MissingFileReadsEmptyAndWriteCreatesIt)
{
    SettingsFile f;
    EXPECT_EQ(SettingsValue(f.path, "R", "publisher", ""), "");
    EXPECT_FALSE(QFile::exists(f.path));
    SettingsValue(f.path, "W", "publisher", "http://x/news");
    EXPECT_EQ(f.read(), QByteArray("publisher=http://x/news\r\n"));
}

TEST(SettingsValue, WriteRewritesTheWholeFile)
{
    struct WriteCase {
        const char* name;
        QByteArray before;
        QString key, value;
        QByteArray after;
    };
    const WriteCase cases[] = {
        {"replace keeps order, key-only line gains '='", "publisher  =  abc  \r\nx\r\n", "publisher", "def",
         "publisher=def\r\nx=\r\n"},
        {"absent key appended last", "a=1\r\nb=2\r\n", "publisher", "p", "a=1\r\nb=2\r\npublisher=p\r\n"},
        {"blank lines dropped", "a=1\r\n\r\n   \r\nb=2\r\n", "b", "3", "a=1\r\nb=3\r\n"},
        {"second '=' is lost on rewrite", "publisher=news.asp?id=5\r\n", "other", "o",
         "publisher=news.asp?id\r\nother=o\r\n"},
        {"case-distinct keys stay two entries", "Publisher=A\r\n", "publisher", "b", "Publisher=A\r\npublisher=b\r\n"},
    };
    for (const auto& c : cases) {
        SettingsFile f;
        f.write(c.before);
        bool ok = false;
        EXPECT_EQ(SettingsValue(f.path, "W", c.key, c.value, &ok), "") << c.name;
        EXPECT_TRUE(ok) << c.name;
        EXPECT_EQ(f.read(), c.after) << c.name;
    }
}

TEST(SettingsValue, OtherModeOnlyReads)
{
    SettingsFile f;
    f.write("a=1\r\n\r\n");
    EXPECT_EQ(SettingsValue(f.path, "X", "a", "2"), "");
    EXPECT_EQ(f.read(), QByteArray("a=1\r\n\r\n"));
}

TEST(SettingsValue, Big5ValuesRoundTrip)
{
    SettingsFile f;
    const QString value = QStringLiteral("最新消息－中文");
    SettingsValue(f.path, "W", "publisher", value);
    EXPECT_EQ(f.read(), Big5(QStringLiteral("publisher=") + value + QStringLiteral("\r\n")));
    EXPECT_EQ(SettingsValue(f.path, "R", "publisher", ""), value);
    EXPECT_EQ(FromBig5(f.read()).trimmed(), QStringLiteral("publisher=") + value);
}

TEST(SettingsValue, UnencodableValueFailsWithoutTouchingTheFile)
{
    SettingsFile f;
    f.write("a=1\r\n");
    bool ok = true;
    SettingsValue(f.path, "W", "a", QStringLiteral("emoji \U0001F600"), &ok);
    EXPECT_FALSE(ok);
    EXPECT_EQ(f.read(), QByteArray("a=1\r\n"));
}

TEST(SettingsValue, MoreThanAHundredEntriesAreKept)
{
    SettingsFile f;
    QByteArray many;
    for (int i = 0; i < 150; ++i)
        many += "k" + QByteArray::number(i) + "=" + QByteArray::number(i) + "\r\n";
    f.write(many);
    EXPECT_EQ(SettingsValue(f.path, "R", "k149", ""), "149");
    SettingsValue(f.path, "W", "publisher", "p");
    EXPECT_EQ(f.read(), many + "publisher=p\r\n");
}

TEST(SettingsValue, WriteIntoMissingFolderFails)
{
    QTemporaryDir dir;
    bool ok = true;
    SettingsValue(dir.filePath("no/such/setup.set"), "W", "a", "1", &ok);
    EXPECT_FALSE(ok);
}
