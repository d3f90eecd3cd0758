#include "app/AppValues.h"
#include "data/Database.h"

#include <QDateTime>
#include <QRegularExpression>
#include <gtest/gtest.h>

namespace {
struct TmpGuard {
    bool had = qEnvironmentVariableIsSet("TMP");
    QByteArray old = qgetenv("TMP");
    ~TmpGuard()
    {
        if (had)
            qputenv("TMP", old);
        else
            qunsetenv("TMP");
        InitGlobalValues();
    }
};
}

TEST(AppValues, InitSetsEveryValue)
{
    TmpGuard guard;
    qputenv("TMP", "/home/learner/tmp");
    InitGlobalValues();
    const AppValues& a = App();
    EXPECT_EQ(a.ProductCode, "vrn");
    EXPECT_EQ(a.ProductFolderName, "Varnelo");
    EXPECT_EQ(a.PageFontSize, "15px");
    EXPECT_TRUE(a.ServiceSiteUrl.endsWith('/'));
    EXPECT_TRUE(a.WebSiteUrl.endsWith('/'));
    EXPECT_FALSE(a.UpdateHost.contains('/'));
    EXPECT_EQ(a.TempFolder, "/home/learner/tmp");
    EXPECT_EQ(a.FullAlpha, 255);
    EXPECT_EQ(DataFolder(), "/home/learner/tmp/Varnelo");
    EXPECT_EQ(a.SettingsFilePath, "/home/learner/tmp/Varnelo/setup.set");
    EXPECT_EQ(a.ConnectionString, "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=/home/learner/tmp/Varnelo/vrnbase.mdb;");
    EXPECT_EQ(DataFolderUrl(), "file:///home/learner/tmp/Varnelo");
}

TEST(AppValues, TrailingSeparatorIsKeptAsSet)
{
    TmpGuard guard;
    qputenv("TMP", "/tmp/x/");
    InitGlobalValues();
    EXPECT_EQ(DataFolder(), "/tmp/x//Varnelo");
    EXPECT_EQ(App().SettingsFilePath, "/tmp/x//Varnelo/setup.set");
}

TEST(AppValues, UnsetTmpUsesTheSystemTemporaryFolder)
{
    TmpGuard guard;
    qunsetenv("TMP");
    InitGlobalValues();
    EXPECT_FALSE(App().TempFolder.isEmpty());
    EXPECT_NE(DataFolder(), "/Varnelo");
}

TEST(AppValues, DataFolderUrlForEachKindOfFolder)
{
    TmpGuard guard;
    qputenv("TMP", "C:\\Temp");
    InitGlobalValues();
    EXPECT_EQ(DataFolderUrl(), "file:///C:/Temp/Varnelo");
}

TEST(ConnectionString, BothForms)
{
    EXPECT_EQ(ConnectionStringFor("2.6.1", "C:\\Temp\\Varnelo"),
              "Driver={Microsoft Access Driver (*.mdb, *.accdb)};DBQ=C:\\Temp\\Varnelo" + PathSep() + "vrnbase.mdb;");
    EXPECT_TRUE(ConnectionStringFor("2.6.1", "/t/Varnelo").endsWith("vrnbase.mdb;"));
    EXPECT_TRUE(ConnectionStringFor("2.6.2", "/t/Varnelo").startsWith("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=/t/Varnelo"));
    EXPECT_EQ(DatabasePathFromConnectionString(ConnectionStringFor("2.6.1", "/t/V")), "/t/V/vrnbase.mdb");
    EXPECT_EQ(DatabasePathFromConnectionString(ConnectionStringFor("2.10.0", "/t/V")), "/t/V/vrnbase.mdb");
    EXPECT_EQ(DatabasePathFromConnectionString("nothing"), "");
}

TEST(OsVersion, HasThreeNumbersAndIsNotWindows7Here)
{
    const QString v = GetOSVersion();
    EXPECT_TRUE(QRegularExpression("^\\d+\\.\\d+\\.\\d+$").match(v).hasMatch()) << v.toStdString();
    EXPECT_NE(v, "2.6.1");
    EXPECT_TRUE(CheckDatabaseEngine());
}

TEST(NewUniqueStamp, RuleAndFormat)
{
    struct Case {
        qint64 seconds;
        double u;
        const char* expected;
    };
    const Case cases[] = {
        {10, 41.0 / 99998.0, "1000042"},  // r = 41
        {0, 0.0, "000001"},                // r = 0 -> 100001 -> "00001"
        {5, 0.99999999, "599999"},         // r = 99998 -> 199999 -> "99999"
        {7, 0.5 / 99998.0, "700001"},      // 0.5 rounds to even: r = 0
        {7, 1.5 / 99998.0, "700003"},      // 1.5 rounds to even: r = 2
    };
    for (const auto& c : cases)
        EXPECT_EQ(UniqueStampFrom(c.seconds, c.u), c.expected) << c.seconds << " " << c.u;

    const QString stamp = NewUniqueStamp();
    const qint64 now = QDateTime(QDate(2006, 1, 1), QTime(0, 0), Qt::LocalTime).secsTo(QDateTime::currentDateTime());
    EXPECT_TRUE(QRegularExpression("^\\d+\\d{5}$").match(stamp).hasMatch());
    EXPECT_LE(qAbs(stamp.chopped(5).toLongLong() - now), 2);
    const int tail = stamp.right(5).toInt();
    EXPECT_GE(tail, 1);
    EXPECT_LE(tail, 99999);
}
