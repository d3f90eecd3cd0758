#include "ServiceServer.h"

#include "ServiceAnswers.h"

#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QStringEncoder>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <mutex>
#include <thread>

namespace {
std::mutex g_logMutex;

// One line per request on standard output: when, who, what, and the answer.
void LogRequest(const httplib::Request& req, const httplib::Response& res)
{
    std::string length = res.get_header_value("Content-Length");
    if (length.empty())
        length = std::to_string(res.body.size());
    const QByteArray when = QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")).toUtf8();
    std::lock_guard lock(g_logMutex);
    std::fprintf(stdout, "%s %s %s %s %d %s\n", when.constData(), req.remote_addr.c_str(), req.method.c_str(),
        req.path.c_str(), res.status, length.c_str());
    std::fflush(stdout);
}

void SetText(httplib::Response& res, int status, const QString& text)
{
    QStringEncoder big5("Big5");
    const QByteArray bytes = big5.encode(text);
    res.status = status;
    res.set_content(bytes.constData(), static_cast<size_t>(bytes.size()), "text/plain; charset=big5");
}

void SetNotFound(httplib::Response& res)
{
    res.status = 404;
    res.set_content("Not Found", "text/plain");
}

std::string ContentTypeOf(const QString& path)
{
    const QString ext = QFileInfo(path).suffix().toLower();
    if (ext == QLatin1String("html") || ext == QLatin1String("htm"))
        return "text/html; charset=utf-8";
    if (ext == QLatin1String("css"))
        return "text/css; charset=utf-8";
    if (ext == QLatin1String("js"))
        return "text/javascript; charset=utf-8";
    if (ext == QLatin1String("txt"))
        return "text/plain; charset=utf-8";
    if (ext == QLatin1String("png"))
        return "image/png";
    if (ext == QLatin1String("gif"))
        return "image/gif";
    if (ext == QLatin1String("jpg") || ext == QLatin1String("jpeg"))
        return "image/jpeg";
    return "application/octet-stream";
}

// A request path as a relative file path, or empty when it would leave the
// site folder.
QString SitePath(const std::string& requestPath)
{
    QString path = QString::fromUtf8(requestPath);
    if (path.isEmpty() || path.endsWith(QLatin1Char('/')))
        path += QStringLiteral("index.html");
    const QStringList parts = path.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    for (const QString& part : parts) {
        if (part == QLatin1String("..") || part == QLatin1String(".") || part.contains(QLatin1Char('\\')))
            return QString();
    }
    return parts.join(QLatin1Char('/'));
}

constexpr qint64 kChunk = 256 * 1024;
}

ServiceServer::ServiceServer(ServiceConfig config)
    : m_config(std::move(config))
{
    const std::string keyedPages = R"(/(p_[A-Za-z_]+\.asp))";
    auto page = [this](const httplib::Request& req, httplib::Response& res) { HandlePage(req, res); };
    m_server.Post(keyedPages, page);
    m_server.Get(keyedPages, page);
    m_server.Get("/vrn_download/vrndata.giz", [this](const httplib::Request&, httplib::Response& res) {
        HandleFile(m_config.packagePath, res);
    });
    m_server.Get("/vrn_download/vrndata.giz.sig", [this](const httplib::Request&, httplib::Response& res) {
        HandleFile(m_config.signaturePath, res);
    });
    m_server.Get("/.*", [this](const httplib::Request& req, httplib::Response& res) { HandleSite(req, res); });
    m_server.set_logger(LogRequest);
    // An idle kept-alive connection holds its worker until this runs out, and
    // a stop waits for every worker: keep it short so SIGTERM ends promptly.
    // The program's requests come in quick bursts and lose nothing by it.
    m_server.set_keep_alive_timeout(1);
    m_server.set_tcp_nodelay(true);
    // The library's default also shares the port with any other listener
    // (SO_REUSEPORT); a second service on the same port must fail instead.
    m_server.set_socket_options([](socket_t sock) {
        int yes = 1;
        setsockopt(sock, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
    });
}

int ServiceServer::Bind(const QString& host, int port)
{
    m_host = host;
    const std::string h = host.toStdString();
    if (port == 0)
        m_port = m_server.bind_to_any_port(h);
    else
        m_port = m_server.bind_to_port(h, port) ? port : -1;
    return m_port;
}

bool ServiceServer::Serve() { return m_server.listen_after_bind(); }

void ServiceServer::Stop() { m_server.stop(); }

QString ServiceServer::BaseAddress(const httplib::Request& req) const
{
    const std::string host = req.get_header_value("Host");
    if (!host.empty())
        return QStringLiteral("http://%1/").arg(QString::fromStdString(host));
    return QStringLiteral("http://%1:%2/").arg(m_host).arg(m_port);
}

void ServiceServer::HandlePage(const httplib::Request& req, httplib::Response& res)
{
    const QString page = QString::fromStdString(req.matches[1]);
    if (page == QLatin1String("p_download_ace.asp")) {
        QFile file(QStringLiteral(":/site/p_download_ace.html"));
        if (!file.open(QIODevice::ReadOnly))
            return SetNotFound(res);
        const QByteArray html = file.readAll();
        res.set_content(html.constData(), static_cast<size_t>(html.size()), "text/html; charset=utf-8");
        return;
    }
    if (!IsKeyedPage(page))
        return SetNotFound(res);
    // The body is read as a form whatever its declared type; a GET carries the
    // form in its query.
    QString form;
    if (req.method == "POST") {
        form = QString::fromUtf8(req.body);
    } else {
        QStringList fields;
        for (const auto& [name, value] : req.params)
            fields << QString::fromStdString(name) + QLatin1Char('=') + QString::fromStdString(value);
        form = fields.join(QLatin1Char('&'));
    }
    const ServiceAnswer answer = AnswerKeyedPage(page, ParseFormBody(form), m_config, BaseAddress(req), QDateTime::currentDateTime());
    SetText(res, answer.status, answer.text);
}

void ServiceServer::HandleFile(const QString& path, httplib::Response& res)
{
    auto file = std::make_shared<QFile>(path);
    if (path.isEmpty() || !QFileInfo(path).isFile() || !file->open(QIODevice::ReadOnly))
        return SetNotFound(res);
    const auto size = static_cast<size_t>(file->size());
    // With a rate set, pieces of a twentieth of a second's worth go out on time,
    // so a loopback download lasts long enough to watch its progress.
    const qint64 rate = qint64(m_config.downloadRateKiB) * 1024;
    const qint64 piece = rate > 0 ? std::clamp<qint64>(rate / 20, 1, kChunk) : kChunk;
    auto clock = std::make_shared<QElapsedTimer>();
    clock->start();
    // Streamed in pieces: a large package is never held in memory whole.
    res.set_content_provider(size, "application/octet-stream",
        [file, rate, piece, clock](size_t offset, size_t length, httplib::DataSink& sink) {
            if (rate > 0) {
                const qint64 due = qint64(offset) * 1000 / rate;
                if (due > clock->elapsed())
                    std::this_thread::sleep_for(std::chrono::milliseconds(due - clock->elapsed()));
            }
            if (!file->seek(static_cast<qint64>(offset)))
                return false;
            const QByteArray chunk = file->read(std::min<qint64>(static_cast<qint64>(length), piece));
            if (chunk.isEmpty())
                return false;
            return sink.write(chunk.constData(), static_cast<size_t>(chunk.size()));
        });
}

void ServiceServer::HandleSite(const httplib::Request& req, httplib::Response& res)
{
    const QString relative = SitePath(req.path);
    if (relative.isEmpty())
        return SetNotFound(res);
    QStringList candidates;
    if (!m_config.siteFolder.isEmpty())
        candidates << QDir(m_config.siteFolder).filePath(relative);
    candidates << QStringLiteral(":/site/") + relative;
    for (const QString& candidate : candidates) {
        if (QFileInfo(candidate).isDir()) {
            // A folder asked for without its final "/": send the browser there.
            res.set_redirect(req.path + "/");
            return;
        }
        QFile file(candidate);
        if (!file.open(QIODevice::ReadOnly))
            continue;
        const QByteArray bytes = file.readAll();
        res.set_content(bytes.constData(), static_cast<size_t>(bytes.size()), ContentTypeOf(candidate));
        return;
    }
    SetNotFound(res);
}
