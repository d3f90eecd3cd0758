#include "OnlineFixtures.h"

#include "BuildConfig.h"
#include "ServiceAnswers.h"
#include "ServiceConfig.h"
#include "online/ServiceChannel.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {
TEST(ServiceConfig, ReadsSettingsAndResolvesPathsFromItsFolder)
{
    QStringList errors;
    const ServiceConfig config = ParseServiceConfig(QStringLiteral(
        "# comment\n"
        "access_key = abc\n"
        "version.vrn = 2.1.0\n"
        "  news.vrn =   {base}news/  \n"
        "news.other =\n"
        "package = giz/vrndata.giz\n"
        "dataversion_file.vrn = /abs/vrndata.ver\n"
        "download_rate = 512\n"
        "port = 8080\n"),
        QStringLiteral("/srv/varnelo"), &errors);
    EXPECT_EQ(errors, QStringList());
    EXPECT_EQ(config.accessKey, QStringLiteral("abc"));
    EXPECT_EQ(config.versions.value(QStringLiteral("vrn")), QStringLiteral("2.1.0"));
    EXPECT_EQ(config.news.value(QStringLiteral("vrn")), QStringLiteral("{base}news/"));
    EXPECT_TRUE(config.news.contains(QStringLiteral("other")));
    EXPECT_EQ(config.packagePath, QStringLiteral("/srv/varnelo/giz/vrndata.giz"));
    EXPECT_EQ(config.signaturePath, QStringLiteral("/srv/varnelo/giz/vrndata.giz.sig"));
    EXPECT_EQ(config.dataVersionFiles.value(QStringLiteral("vrn")), QStringLiteral("/abs/vrndata.ver"));
    EXPECT_EQ(config.port, 8080);
    EXPECT_EQ(config.downloadRateKiB, 512);
}

TEST(ServiceConfig, ReportsEachFaultWithItsLine)
{
    const struct {
        const char* text;
        const char* error;
    } cases[] = {
        {"access_key = k\nversion 2.0", "line 2: expected name = value"},
        {"access_key = k\nvesion.vrn = 2.0", "line 2: unknown setting vesion.vrn"},
        {"access_key = k\nversion. = 2.0", "line 2: version. names no product"},
        {"access_key = k\n\nport = 70000", "line 3: port must be a number from 0 to 65535"},
        {"access_key = k\ndownload_rate = fast", "line 2: download_rate must be a number of KiB per second, 0 for no limit"},
        {"access_key = k\nnews.vrn = http://x/\xF0\x9F\x98\x80", "line 2: news.vrn cannot be sent as Big5"},
        {"version.vrn = 2.0", "access_key is missing"},
    };
    for (const auto& c : cases) {
        QStringList errors;
        ParseServiceConfig(QString::fromUtf8(c.text), QStringLiteral("/"), &errors);
        EXPECT_EQ(errors, QStringList{QString::fromUtf8(c.error)}) << c.text;
    }
}

TEST(ServiceAnswers, ReadsTheDataVersionFileAtEachRequest)
{
    QTemporaryDir dir;
    const QString versionFile = dir.filePath(QStringLiteral("vrndata.ver"));
    ServiceConfig config;
    config.accessKey = QStringLiteral("k");
    config.dataVersionFiles.insert(QStringLiteral("vrn"), versionFile);
    const QMap<QString, QString> form = ParseFormBody(QStringLiteral("key=k&softcode=vrn&courseId="));
    auto answer = [&] { return AnswerKeyedPage(QStringLiteral("p_all_getdbver.asp"), form, config, QString(), QDateTime()).text; };

    EXPECT_EQ(answer(), QStringLiteral("ERR_NO_DATA_VERSION"));
    WriteFile(versionFile, " 2024.05.01 \r\nsecond line\r\n");
    EXPECT_EQ(answer(), QStringLiteral("2024.05.01"));
    WriteFile(versionFile, "2024.06.01\n");
    EXPECT_EQ(answer(), QStringLiteral("2024.06.01"));
}

TEST(ServiceAnswers, TakesFormValuesAsTheyStand)
{
    const QMap<QString, QString> form = ParseFormBody(QStringLiteral("key=a%20b&courseId=&type=x+y&flag"));
    EXPECT_EQ(form.value(QStringLiteral("key")), QStringLiteral("a%20b"));
    EXPECT_EQ(form.value(QStringLiteral("type")), QStringLiteral("x+y"));
    EXPECT_TRUE(form.contains(QStringLiteral("courseId")));
    EXPECT_TRUE(form.contains(QStringLiteral("flag")));
}

// The built service, copied with a demo package beside it, run with no
// configuration at all: what the README's run command starts.
TEST(Service, WithoutAConfigurationServesTheDemoPackageBesideIt)
{
    QTemporaryDir install;
    const QString program = install.filePath(QStringLiteral("varnelo-service"));
    ASSERT_TRUE(QFile::copy(ServiceProgram(), program));
    QFile::setPermissions(program, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    ASSERT_TRUE(QDir(install.path()).mkdir(QStringLiteral("giz")));
    const QByteArray package = PatternBytes(100000);
    WriteFile(install.filePath(QStringLiteral("giz/vrndata.giz")), package);
    WriteFile(install.filePath(QStringLiteral("giz/vrndata.giz.sig")), "signature");
    WriteFile(install.filePath(QStringLiteral("giz/vrndata.ver")), "2024.05.01\n");

    ServiceProcess service(QString(), program);
    ASSERT_TRUE(service.running()) << service.output().toStdString();
    const QString base = service.baseUrl();
    EXPECT_EQ(HttpGet(base + QStringLiteral("vrn_download/vrndata.giz")).body, package);
    EXPECT_EQ(HttpGet(base + QStringLiteral("vrn_download/vrndata.giz.sig")).body, QByteArray("signature"));

    const QStringList version = QStringLiteral(VARNELO_VERSION).split(QLatin1Char('.'));
    const QString programVersion = QStringList(version.mid(0, 3)).join(QLatin1Char('.'));
    const QString key = ServiceKeyBody();
    EXPECT_EQ(PostServiceRequest(base + QStringLiteral("p_getversion.asp"), key + QStringLiteral("&type=vrn")), programVersion);
    EXPECT_EQ(PostServiceRequest(base + QStringLiteral("p_getversion.asp"), key + QStringLiteral("&type=vrnbig")), programVersion);
    EXPECT_EQ(PostServiceRequest(base + QStringLiteral("p_all_getdbver.asp"), key + QStringLiteral("&softcode=vrn&courseId=")),
        QStringLiteral("2024.05.01"));
    const std::optional<QString> news = PostServiceRequest(base + QStringLiteral("p_publisher_news.asp"), key + QStringLiteral("&softcode=vrn"));
    ASSERT_TRUE(news);
    EXPECT_EQ(*news, QStringLiteral("OK_") + base + QStringLiteral("news/vrn/"));

    // The pages the program opens in the browser, and the news page.
    for (const QString& page : {news->mid(3), base + QStringLiteral("_manuals/vrn/"), base + QStringLiteral("p_download_ace.asp")}) {
        const HttpResult result = HttpGet(page);
        EXPECT_EQ(result.status, 200) << page.toStdString();
        EXPECT_TRUE(result.contentType.startsWith("text/html")) << page.toStdString();
        EXPECT_TRUE(result.body.contains("<html")) << page.toStdString();
    }
    EXPECT_EQ(HttpGet(base + QStringLiteral("_manuals/vrn")).status, 302);
    EXPECT_EQ(HttpGet(base + QStringLiteral("no/such/page.html")).status, 404);
    EXPECT_TRUE(service.stop());
    // One line per request in its log.
    EXPECT_EQ(service.output().count(QStringLiteral(" GET ")), 7) << service.output().toStdString();
    EXPECT_EQ(service.output().count(QStringLiteral(" POST ")), 4) << service.output().toStdString();
}

TEST(Service, WithoutTheDemoPackageItAnswersNotFound)
{
    QTemporaryDir install;
    const QString program = install.filePath(QStringLiteral("varnelo-service"));
    ASSERT_TRUE(QFile::copy(ServiceProgram(), program));
    ServiceProcess service(QString(), program);
    ASSERT_TRUE(service.running()) << service.output().toStdString();
    EXPECT_EQ(HttpGet(service.baseUrl() + QStringLiteral("vrn_download/vrndata.giz")).status, 404);
    EXPECT_EQ(PostServiceRequest(service.baseUrl() + QStringLiteral("p_all_getdbver.asp"), ServiceKeyBody() + QStringLiteral("&softcode=vrn&courseId=")),
        QStringLiteral("ERR_NO_DATA_VERSION"));
}

TEST(Service, RefusesABadConfigurationOrABusyPort)
{
    ServiceProcess bad(ServiceConfigText(QStringLiteral("colour = blue\n")));
    EXPECT_FALSE(bad.running());
    EXPECT_TRUE(bad.output().contains(QStringLiteral("line 2: unknown setting colour"))) << bad.output().toStdString();

    ServiceProcess first(ServiceConfigText(QString()));
    ASSERT_TRUE(first.running());
    QProcess second;
    second.setProcessChannelMode(QProcess::MergedChannels);
    second.start(ServiceProgram(), {QStringLiteral("--config"), QDir(first.folder()).filePath(QStringLiteral("service.conf")),
                                       QStringLiteral("--port"), QString::number(first.port())});
    ASSERT_TRUE(WaitFor([&] { return second.state() == QProcess::NotRunning; }));
    EXPECT_EQ(second.exitCode(), 1);
    EXPECT_TRUE(second.readAll().contains("cannot listen on 127.0.0.1:"));
}
}
