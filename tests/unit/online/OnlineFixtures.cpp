#include "OnlineFixtures.h"

#include "online/OnlineNetwork.h"
#include "online/ServiceChannel.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>

#include <QDeadlineTimer>
#include <QEventLoop>
#include <QFile>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTcpSocket>
#include <QTimer>

bool WaitFor(const std::function<bool()>& check, std::chrono::milliseconds limit)
{
    QDeadlineTimer deadline(limit);
    while (!check()) {
        if (deadline.hasExpired())
            return false;
        QEventLoop loop;
        QTimer::singleShot(10, &loop, &QEventLoop::quit);
        loop.exec();
    }
    return true;
}

QString ServiceProgram() { return QStringLiteral(VARNELO_BINARY_DIR "/bin/varnelo-service"); }

QString ServiceConfigText(const QString& moreLines)
{
    return QStringLiteral("access_key = ") + ServiceAccessKey() + QLatin1Char('\n') + moreLines;
}

ServiceProcess::ServiceProcess(const QString& configText, const QString& program)
{
    QStringList args{QStringLiteral("--port"), QStringLiteral("0")};
    if (!configText.isEmpty()) {
        const QString config = m_dir.filePath(QStringLiteral("service.conf"));
        WriteFile(config, configText.toUtf8());
        args << QStringLiteral("--config") << config;
    }
    m_process.setProcessChannelMode(QProcess::MergedChannels);
    QObject::connect(&m_process, &QProcess::readyRead, [this] { m_output += m_process.readAll(); });
    m_process.start(program.isEmpty() ? ServiceProgram() : program, args);
    // The service prints the address it listens on once it accepts requests.
    static const QRegularExpression listening(QStringLiteral("listening on http://127\\.0\\.0\\.1:(\\d+)/"));
    WaitFor([&] {
        const QRegularExpressionMatch m = listening.match(output());
        if (m.hasMatch())
            m_port = m.captured(1).toInt();
        return m_port > 0 || m_process.state() == QProcess::NotRunning;
    });
}

ServiceProcess::~ServiceProcess() { stop(); }

QString ServiceProcess::baseUrl() const { return QStringLiteral("http://127.0.0.1:%1/").arg(m_port); }

bool ServiceProcess::stop()
{
    if (m_process.state() == QProcess::NotRunning)
        return m_process.exitStatus() == QProcess::NormalExit && m_process.exitCode() == 0;
    // The program's idle connections would hold the service's workers for
    // their keep-alive time; a test has no reason to wait for that.
    OnlineNetwork().clearConnectionCache();
    m_process.terminate();
    if (!WaitFor([&] { return m_process.state() == QProcess::NotRunning; })) {
        m_process.kill();
        m_process.waitForFinished(5000);
        return false;
    }
    return m_process.exitStatus() == QProcess::NormalExit && m_process.exitCode() == 0;
}

QByteArray PatternBytes(qsizetype size)
{
    QByteArray bytes(size, Qt::Uninitialized);
    QRandomGenerator generator(20240501);
    for (qsizetype i = 0; i < size; ++i)
        bytes[i] = static_cast<char>(generator.generate() & 0xFF);
    return bytes;
}

bool WriteFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QByteArray ReadFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

CannedHttpServer::CannedHttpServer(QByteArray response)
    : m_response(std::move(response))
{
    listen(QHostAddress::LocalHost, 0);
    connect(this, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket* socket = nextPendingConnection()) {
            connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
            auto* received = new QByteArray;
            connect(socket, &QObject::destroyed, [received] { delete received; });
            connect(socket, &QTcpSocket::readyRead, this, [this, socket, received] {
                received->append(socket->readAll());
                const qsizetype headEnd = received->indexOf("\r\n\r\n");
                if (headEnd < 0)
                    return;
                static const QRegularExpression lengthHeader(QStringLiteral("(?i)\\r\\ncontent-length:\\s*(\\d+)"));
                const QRegularExpressionMatch m = lengthHeader.match(QString::fromLatin1(received->left(headEnd)));
                const qsizetype bodyLength = m.hasMatch() ? m.captured(1).toLongLong() : 0;
                if (received->size() < headEnd + 4 + bodyLength)
                    return;
                m_requests.append(*received);
                received->clear();
                if (m_response.isEmpty())
                    return;
                socket->write(m_response);
                socket->disconnectFromHost();
            });
        }
    });
}

QString CannedHttpServer::baseUrl() const { return QStringLiteral("http://127.0.0.1:%1/").arg(serverPort()); }

HttpResult HttpGet(const QString& url)
{
    QNetworkAccessManager network;
    QNetworkRequest request{QUrl(url)};
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::ManualRedirectPolicy);
    QNetworkReply* reply = network.get(request);
    QEventLoop loop;
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    QTimer::singleShot(10000, &loop, &QEventLoop::quit);
    loop.exec();
    HttpResult result{reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt(), reply->readAll(),
        reply->header(QNetworkRequest::ContentTypeHeader).toByteArray()};
    delete reply;
    return result;
}
