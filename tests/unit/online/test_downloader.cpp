#include "OnlineFixtures.h"

#include "app/Trace.h"
#include "online/DownloadStatus.h"
#include "online/OnlineNetwork.h"
#include "online/clsUrlDownload.h"

#include <QFile>
#include <QNetworkDiskCache>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

using namespace std::chrono_literals;

namespace {
// Everything a downloader raised, in order, as short texts.
struct EventLog {
    QStringList events;
    QList<QPair<qint64, qint64>> progress;

    explicit EventLog(clsUrlDownload& d)
    {
        QObject::connect(&d, &clsUrlDownload::DownloadStart, [this] { events << QStringLiteral("start"); });
        QObject::connect(&d, &clsUrlDownload::DownloadProgress, [this](qint64 in, qint64 total) {
            if (progress.isEmpty())
                events << QStringLiteral("progress");
            progress.append({in, total});
        });
        QObject::connect(&d, &clsUrlDownload::DownloadComplete, [this] { events << QStringLiteral("complete"); });
        QObject::connect(&d, &clsUrlDownload::DownloadCrash, [this](qint32 code, const QString& text, bool cancelled) {
            events << QStringLiteral("crash %1 %2 %3")
                          .arg(static_cast<quint32>(code), 8, 16, QLatin1Char('0'))
                          .arg(text, cancelled ? QStringLiteral("cancelled") : QStringLiteral("-"));
        });
        QObject::connect(&d, &clsUrlDownload::DownloadCancelled, [this] { events << QStringLiteral("cancelled"); });
    }
};

QString Crash(quint32 code, const QString& text, bool cancelled)
{
    return QStringLiteral("crash %1 %2 %3")
        .arg(code, 8, 16, QLatin1Char('0'))
        .arg(text, cancelled ? QStringLiteral("cancelled") : QStringLiteral("-"));
}

constexpr qsizetype kPackageSize = 6 * 1024 * 1024 + 123;

class DownloaderTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        s_cache = new QTemporaryDir;
        SetDownloadCacheFolder(s_cache->path());
        s_package = new QByteArray(PatternBytes(kPackageSize));
        s_service = new ServiceProcess(ServiceConfigText(QStringLiteral("package = vrndata.giz\n")));
        WriteFile(QDir(s_service->folder()).filePath(QStringLiteral("vrndata.giz")), *s_package);
        WriteFile(QDir(s_service->folder()).filePath(QStringLiteral("vrndata.giz.sig")), QByteArray(64, 's'));
    }
    static void TearDownTestSuite()
    {
        delete s_service;
        delete s_package;
        delete s_cache;
    }
    void SetUp() override { ASSERT_TRUE(s_service->running()) << s_service->output().toStdString(); }

    static QString PackageUrl() { return s_service->baseUrl() + QStringLiteral("vrn_download/vrndata.giz"); }
    QString Target(const QString& name = QStringLiteral("vrndata.giz")) const { return m_dir.filePath(name); }

    static ServiceProcess* s_service;
    static QByteArray* s_package;
    static QTemporaryDir* s_cache;
    QTemporaryDir m_dir;
};
ServiceProcess* DownloaderTest::s_service = nullptr;
QByteArray* DownloaderTest::s_package = nullptr;
QTemporaryDir* DownloaderTest::s_cache = nullptr;

TEST_F(DownloaderTest, APackageArrivesWholeWithRisingProgress)
{
    clsUrlDownload download;
    EventLog log(download);
    // Window events run during the transfer: a timer due at once fires while
    // the download call is still under way.
    bool tickedWhileDownloading = false;
    QTimer::singleShot(0, [&] { tickedWhileDownloading = download.IsDownloading(); });

    EXPECT_EQ(download.StartTheStinkinDownLoad(PackageUrl(), Target()), true);
    EXPECT_EQ(log.events, QStringList({"start", "progress", "complete"}));
    EXPECT_TRUE(tickedWhileDownloading);
    EXPECT_FALSE(download.IsDownloading());
    ASSERT_GE(log.progress.size(), 2);
    for (qsizetype i = 0; i < log.progress.size(); ++i) {
        EXPECT_EQ(log.progress[i].second, kPackageSize);
        if (i > 0) {
            EXPECT_GE(log.progress[i].first, log.progress[i - 1].first);
        }
    }
    EXPECT_EQ(log.progress.last().first, kPackageSize);
    EXPECT_TRUE(ReadFile(Target()) == *s_package);

    // The signature comes from beside the package.
    EXPECT_EQ(download.StartTheStinkinDownLoad(PackageUrl() + QStringLiteral(".sig"), Target(QStringLiteral("sig"))), true);
    EXPECT_EQ(ReadFile(Target(QStringLiteral("sig"))), QByteArray(64, 's'));
}

TEST_F(DownloaderTest, AThrottledPackageReportsProgressAlongTheWay)
{
    ServiceProcess slow(ServiceConfigText(QStringLiteral("package = slow.giz\ndownload_rate = 1000\n")));
    ASSERT_TRUE(slow.running()) << slow.output().toStdString();
    const QByteArray package = PatternBytes(400 * 1024);
    WriteFile(QDir(slow.folder()).filePath(QStringLiteral("slow.giz")), package);
    clsUrlDownload download;
    EventLog log(download);
    EXPECT_EQ(download.StartTheStinkinDownLoad(slow.baseUrl() + QStringLiteral("vrn_download/vrndata.giz"), Target()), true);
    EXPECT_GE(log.progress.size(), 3);
    EXPECT_TRUE(ReadFile(Target()) == package);
}

TEST_F(DownloaderTest, AMissingFileFailsAsResourceNotFound)
{
    ServiceProcess empty(ServiceConfigText(QStringLiteral("package = nothing-here.giz\n")));
    ASSERT_TRUE(empty.running()) << empty.output().toStdString();
    clsUrlDownload download;
    EventLog log(download);
    EXPECT_EQ(download.StartTheStinkinDownLoad(empty.baseUrl() + QStringLiteral("vrn_download/vrndata.giz"), Target()), false);
    EXPECT_EQ(log.events, QStringList({"start", Crash(0x800C0005, "Resource Not Found.", false)}));
    EXPECT_FALSE(QFile::exists(Target()));
}

TEST_F(DownloaderTest, AFailedTransferLeavesAnEarlierFileAsItWas)
{
    WriteFile(Target(), "earlier content");
    clsUrlDownload download;
    EXPECT_EQ(download.StartTheStinkinDownLoad(s_service->baseUrl() + QStringLiteral("vrn_download/none.giz"), Target()), false);
    EXPECT_EQ(ReadFile(Target()), QByteArray("earlier content"));
}

TEST_F(DownloaderTest, WithoutALengthThereIsNoProgress)
{
    const QByteArray body = PatternBytes(300000);
    CannedHttpServer server("HTTP/1.0 200 OK\r\nContent-Type: application/octet-stream\r\n\r\n" + body);
    clsUrlDownload download;
    EventLog log(download);
    EXPECT_EQ(download.StartTheStinkinDownLoad(server.baseUrl() + QStringLiteral("data.bin"), Target()), true);
    EXPECT_EQ(log.events, QStringList({"start", "complete"}));
    EXPECT_TRUE(ReadFile(Target()) == body);
}

TEST_F(DownloaderTest, ASecondStartDuringATransferDownloadsNothing)
{
    clsUrlDownload download;
    EventLog log(download);
    std::optional<std::optional<bool>> second;
    QObject::connect(&download, &clsUrlDownload::DownloadProgress, [&] {
        if (!second)
            second = download.StartTheStinkinDownLoad(PackageUrl(), Target(QStringLiteral("second")));
    });
    EXPECT_EQ(download.StartTheStinkinDownLoad(PackageUrl(), Target()), true);
    ASSERT_TRUE(second.has_value());
    EXPECT_EQ(*second, std::nullopt);
    EXPECT_FALSE(QFile::exists(Target(QStringLiteral("second"))));
    EXPECT_EQ(log.events, QStringList({"start", "progress", "complete"}));
    EXPECT_TRUE(ReadFile(Target()) == *s_package);
}

TEST_F(DownloaderTest, KillingATransferEndsItAsCancelled)
{
    clsUrlDownload download;
    EventLog log(download);
    bool killed = false;
    QObject::connect(&download, &clsUrlDownload::DownloadProgress, [&] {
        if (!killed) {
            killed = true;
            download.KillDownload();
        }
    });
    EXPECT_EQ(download.StartTheStinkinDownLoad(PackageUrl(), Target()), false);
    EXPECT_EQ(log.events, QStringList({"start", "progress", "cancelled", Crash(0x80004004, "Unknown.", true)}));
    EXPECT_EQ(log.progress.size(), 1);
    EXPECT_FALSE(download.IsDownloading());
    EXPECT_FALSE(QFile::exists(Target()));
    // The object serves the next transfer as usual.
    EXPECT_EQ(download.StartTheStinkinDownLoad(PackageUrl(), Target()), true);
    EXPECT_EQ(log.events.last(), QStringLiteral("complete"));
}

TEST_F(DownloaderTest, KillingWhenIdleOnlyTellsOfTheCancel)
{
    clsUrlDownload download;
    EventLog log(download);
    download.KillDownload();
    EXPECT_EQ(log.events, QStringList({"cancelled"}));
    EXPECT_FALSE(download.IsDownloading());
    EXPECT_EQ(download.StartTheStinkinDownLoad(PackageUrl(), Target()), true);
}

TEST_F(DownloaderTest, TransportFailuresMapToTheirStatus)
{
    CannedHttpServer silent{QByteArray()};
    CannedHttpServer closed{QByteArray()};
    const QString refusedUrl = closed.baseUrl() + QStringLiteral("x.giz");
    closed.close();
    const struct {
        const char* name;
        QString url;
        QString crash;
    } cases[] = {
        {"refused", refusedUrl, Crash(0x800C0004, "Cannot Connect", false)},
        {"not an address", QStringLiteral("not a url"), Crash(0x800C0002, "Invalid URL.", false)},
        {"never answers", silent.baseUrl() + QStringLiteral("x.giz"), Crash(0x800C000B, "Connection Timeout.", false)},
        {"unknown scheme", QStringLiteral("gopher://127.0.0.1/x"), Crash(0x800C000D, "Unknown Protocol.", false)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        clsUrlDownload download;
        download.SetStallTimeout(300ms);
        EventLog log(download);
        EXPECT_EQ(download.StartTheStinkinDownLoad(c.url, Target()), false);
        ASSERT_FALSE(log.events.isEmpty());
        EXPECT_EQ(log.events.last(), c.crash);
        EXPECT_FALSE(QFile::exists(Target()));
    }
}

TEST_F(DownloaderTest, DeleteDownloadCacheRemovesTheEntryOfAnAddress)
{
    clsUrlDownload download;
    ASSERT_EQ(download.StartTheStinkinDownLoad(PackageUrl(), Target()), true);
    ASSERT_TRUE(DownloadCache().metaData(QUrl(PackageUrl())).isValid());
    EXPECT_EQ(download.DeleteDownloadCache(Target()), 0);
    EXPECT_NE(download.DeleteDownloadCache(PackageUrl()), 0);
    EXPECT_FALSE(DownloadCache().metaData(QUrl(PackageUrl())).isValid());
    EXPECT_EQ(download.DeleteDownloadCache(PackageUrl()), 0);
    // Without its cache entry the package still downloads whole.
    EXPECT_EQ(download.StartTheStinkinDownLoad(PackageUrl(), Target()), true);
    EXPECT_TRUE(ReadFile(Target()) == *s_package);
}

TEST_F(DownloaderTest, TracesTheTransfer)
{
    const QString tracePath = m_dir.filePath(QStringLiteral("trace.jsonl"));
    Trace::openForTest(tracePath);
    clsUrlDownload download;
    (void)download.StartTheStinkinDownLoad(PackageUrl(), Target());
    Trace::openForTest(QString());
    const QList<QByteArray> lines = ReadFile(tracePath).trimmed().split('\n');
    ASSERT_GE(lines.size(), 3);
    EXPECT_TRUE(lines.first().contains(R"("ev":"download")") && lines.first().contains(R"("state":"start")"));
    EXPECT_TRUE(lines.first().contains(PackageUrl().toUtf8()));
    EXPECT_TRUE(lines[1].contains(R"("state":"progress")") && lines[1].contains(R"("total":6291579)")) << lines[1].toStdString();
    EXPECT_TRUE(lines.last().contains(R"("state":"complete")") && lines.last().contains(R"("bytes":6291579)")) << lines.last().toStdString();
}

TEST(DownloadStatusText, NamesTheKnownCodes)
{
    const struct {
        quint32 code;
        const char* text;
    } cases[] = {
        {0x800C0002, "Invalid URL."}, {0x800C0004, "Cannot Connect"}, {0x800C0005, "Resource Not Found."},
        {0x800C000B, "Connection Timeout."}, {0x800C0300, "Cannot Replace SFP File."},
        {0x800C0012, "Unknown."}, {0x80004004, "Unknown."}, {0, "Unknown."},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DownloadStatusText(DownloadStatus::Code(c.code)), QString::fromLatin1(c.text)) << std::hex << c.code;
}
}
