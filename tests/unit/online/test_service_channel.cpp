#include "OnlineFixtures.h"

#include "app/AppValues.h"
#include "app/Trace.h"
#include "online/ServiceChannel.h"

#include <QDateTime>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

using namespace std::chrono_literals;

namespace {
// Points the program's service address at a server for one test and puts the
// address and time-out back afterwards.
class ServiceSite {
public:
    explicit ServiceSite(const QString& baseUrl)
        : m_old(App().ServiceSiteUrl)
        , m_oldTimeout(ServiceRequestTimeout())
    {
        MutableApp().ServiceSiteUrl = baseUrl;
    }
    ~ServiceSite()
    {
        MutableApp().ServiceSiteUrl = m_old;
        SetServiceRequestTimeout(m_oldTimeout);
    }

private:
    QString m_old;
    std::chrono::milliseconds m_oldTimeout;
};

std::optional<QString> Post(const QString& page, const QString& fields = QString(), QString* error = nullptr)
{
    return PostServiceRequest(App().ServiceSiteUrl + page, ServiceKeyBody() + fields, error);
}

class ServiceChannelTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        s_service = new ServiceProcess(ServiceConfigText(QStringLiteral(
            "version.vrn = 2.305.117\n"
            "version.vrnbig = 2.100.1\n"
            "dataversion.vrn = 2024.05.01\n"
            "news.vrn = {base}news/vrn/最新消息.html\n")));
    }
    static void TearDownTestSuite()
    {
        delete s_service;
        s_service = nullptr;
    }
    void SetUp() override
    {
        ASSERT_TRUE(s_service->running()) << s_service->output().toStdString();
        m_site = std::make_unique<ServiceSite>(s_service->baseUrl());
    }

    static ServiceProcess* s_service;
    std::unique_ptr<ServiceSite> m_site;
};
ServiceProcess* ServiceChannelTest::s_service = nullptr;

TEST_F(ServiceChannelTest, OnlineCheckAnswersWithTheServerTime)
{
    EXPECT_TRUE(IsServerOnline());
    const std::optional<QString> answer = Post(QStringLiteral("p_getconn.asp"));
    ASSERT_TRUE(answer);
    EXPECT_TRUE(answer->startsWith(QLatin1String("ONLINE")));
    const QDateTime serverTime = QDateTime::fromString(answer->mid(7), QStringLiteral("yyyy/MM/dd HH:mm:ss"));
    ASSERT_TRUE(serverTime.isValid()) << answer->toStdString();
    EXPECT_LT(qAbs(serverTime.secsTo(QDateTime::currentDateTime())), 120);
}

TEST_F(ServiceChannelTest, PagesAnswerFromTheConfiguration)
{
    const struct {
        QString page, fields, answer;
    } cases[] = {
        {QStringLiteral("p_getversion.asp"), QStringLiteral("&type=vrn"), QStringLiteral("2.305.117")},
        {QStringLiteral("p_getversion.asp"), QStringLiteral("&type=vrnbig"), QStringLiteral("2.100.1")},
        {QStringLiteral("p_getversion.asp"), QStringLiteral("&type=other"), QStringLiteral("ERR_UNKNOWN_TYPE")},
        {QStringLiteral("p_all_getdbver.asp"), QStringLiteral("&softcode=vrn&courseId="), QStringLiteral("2024.05.01")},
        // The news address comes back through Big5 with its Chinese intact.
        {QStringLiteral("p_publisher_news.asp"), QStringLiteral("&softcode=vrn"),
            QStringLiteral("OK_") + s_service->baseUrl() + QStringLiteral("news/vrn/最新消息.html")},
        {QStringLiteral("p_publisher_news.asp"), QStringLiteral("&softcode=abc"), QStringLiteral("NO_NEWS")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE((c.page + c.fields).toStdString());
        EXPECT_EQ(Post(c.page, c.fields), c.answer);
    }
}

TEST_F(ServiceChannelTest, AWrongOrMissingKeyGetsAnErrorNotData)
{
    const QString pages[] = {QStringLiteral("p_getconn.asp"), QStringLiteral("p_getversion.asp"),
        QStringLiteral("p_all_getdbver.asp"), QStringLiteral("p_publisher_news.asp")};
    const QString fields = QStringLiteral("&type=vrn&softcode=vrn&courseId=");
    for (const QString& page : pages) {
        SCOPED_TRACE(page.toStdString());
        const QString address = App().ServiceSiteUrl + page;
        EXPECT_EQ(PostServiceRequest(address, QStringLiteral("key=") + ServiceAccessKey().toUpper() + fields), QStringLiteral("ERR_KEY"));
        EXPECT_EQ(PostServiceRequest(address, fields.mid(1)), QStringLiteral("ERR_KEY"));
    }
}

TEST(ServiceChannel, AServiceWithAnotherKeyIsNotOnline)
{
    ServiceProcess other(QStringLiteral("access_key = someotherkey\n"));
    ASSERT_TRUE(other.running()) << other.output().toStdString();
    ServiceSite site(other.baseUrl());
    EXPECT_FALSE(IsServerOnline());
}

TEST(ServiceChannel, AStoppedServiceIsRefusedAtOnce)
{
    ServiceProcess service(ServiceConfigText(QString()));
    ASSERT_TRUE(service.running()) << service.output().toStdString();
    ServiceSite site(service.baseUrl());
    ASSERT_TRUE(IsServerOnline());
    // A clean stop, even with the channel's connection still open.
    EXPECT_TRUE(service.stop()) << service.output().toStdString();

    SetServiceRequestTimeout(60s);
    QString error;
    EXPECT_EQ(Post(QStringLiteral("p_getconn.asp"), QString(), &error), std::nullopt);
    // Refused, not waited out: the long time-out above never comes into it.
    EXPECT_TRUE(error.contains(QLatin1String("refused"), Qt::CaseInsensitive)) << error.toStdString();
    EXPECT_FALSE(IsServerOnline());
}

TEST(ServiceChannel, AServiceThatNeverAnswersTimesOut)
{
    CannedHttpServer silent{QByteArray()};
    ServiceSite site(silent.baseUrl());
    SetServiceRequestTimeout(300ms);
    // The caller waits, the program does not: a timer due meanwhile fires.
    bool timerRan = false;
    QTimer::singleShot(50, [&] { timerRan = true; });
    QString error;
    EXPECT_EQ(Post(QStringLiteral("p_getconn.asp"), QString(), &error), std::nullopt);
    EXPECT_TRUE(error.contains(QLatin1String("no answer within 300 ms"))) << error.toStdString();
    EXPECT_TRUE(timerRan);
    EXPECT_FALSE(IsServerOnline());
    EXPECT_EQ(silent.requests().size(), 2);
}

QByteArray HttpAnswer(const QByteArray& statusLine, const QByteArray& body)
{
    return statusLine + "\r\nContent-Type: text/plain\r\nContent-Length: " + QByteArray::number(body.size())
        + "\r\nConnection: close\r\n\r\n" + body;
}

TEST(ServiceChannel, AnswersCountByTheirTextAlone)
{
    const struct {
        const char* name;
        QByteArray response;
        std::optional<QString> text;
        bool online;
    } cases[] = {
        {"ONLINE alone", HttpAnswer("HTTP/1.1 200 OK", "ONLINE"), QStringLiteral("ONLINE"), true},
        {"lower case is not online", HttpAnswer("HTTP/1.1 200 OK", "online 2024/05/01 10:00:00"),
            QStringLiteral("online 2024/05/01 10:00:00"), false},
        {"an error status still brings its text", HttpAnswer("HTTP/1.1 500 Internal Server Error", "ONLINE"),
            QStringLiteral("ONLINE"), true},
        {"an error page is text, not online", HttpAnswer("HTTP/1.1 404 Not Found", "<html>missing</html>"),
            QStringLiteral("<html>missing</html>"), false},
        {"a lone lead byte at the end fails the request", HttpAnswer("HTTP/1.1 200 OK", "ONLINE \xA4"), std::nullopt, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CannedHttpServer server(c.response);
        ServiceSite site(server.baseUrl());
        EXPECT_EQ(Post(QStringLiteral("p_getconn.asp")), c.text);
        EXPECT_EQ(IsServerOnline(), c.online);
    }
}

TEST(ServiceChannel, PostsTheKeyBodyWithTheBig5TextType)
{
    CannedHttpServer server(HttpAnswer("HTTP/1.1 200 OK", "ONLINE"));
    ServiceSite site(server.baseUrl());
    ASSERT_TRUE(IsServerOnline());
    ASSERT_EQ(server.requests().size(), 1);
    const QByteArray request = server.requests().first();
    EXPECT_TRUE(request.startsWith("POST /p_getconn.asp HTTP/1.1\r\n")) << request.toStdString();
    EXPECT_TRUE(request.contains("\r\nContent-Type: text/xml; charset=big5\r\n")) << request.toStdString();
    EXPECT_TRUE(request.endsWith("\r\n\r\nkey=" + ServiceAccessKey().toLatin1())) << request.toStdString();
}

TEST(ServiceChannel, TracesRequestsAndAnswers)
{
    QTemporaryDir dir;
    const QString tracePath = dir.filePath(QStringLiteral("trace.jsonl"));
    CannedHttpServer server(HttpAnswer("HTTP/1.1 200 OK", "OK_\xA4\xA4"));
    ServiceSite site(server.baseUrl());
    Trace::openForTest(tracePath);
    (void)Post(QStringLiteral("p_publisher_news.asp"), QStringLiteral("&softcode=vrn"));
    SetServiceRequestTimeout(300ms);
    CannedHttpServer silent{QByteArray()};
    (void)PostServiceRequest(silent.baseUrl() + QStringLiteral("p_getconn.asp"), ServiceKeyBody());
    Trace::openForTest(QString());

    const QList<QByteArray> lines = ReadFile(tracePath).trimmed().split('\n');
    ASSERT_EQ(lines.size(), 4);
    const QString url = server.baseUrl() + QStringLiteral("p_publisher_news.asp");
    EXPECT_TRUE(lines[0].contains(R"("ev":"request")") && lines[0].contains(url.toUtf8())) << lines[0].toStdString();
    EXPECT_TRUE(lines[0].contains(R"("body":"key=)")) << lines[0].toStdString();
    EXPECT_TRUE(lines[1].contains(R"("ev":"response")") && lines[1].contains(R"("text":"OK_中")")) << lines[1].toStdString();
    EXPECT_TRUE(lines[3].contains(R"("ev":"response")") && lines[3].contains(R"("error":"no answer)")) << lines[3].toStdString();
}
}
