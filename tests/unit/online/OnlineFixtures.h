#pragma once
#include <QByteArray>
#include <QList>
#include <QProcess>
#include <QString>
#include <QTcpServer>
#include <QTemporaryDir>
#include <chrono>
#include <functional>

// Runs until check() holds or the time is up, letting events run meanwhile.
bool WaitFor(const std::function<bool()>& check, std::chrono::milliseconds limit = std::chrono::seconds(10));

// The real varnelo-service, started on 127.0.0.1 on a free port chosen by the
// service itself, with a configuration written into a fresh folder.
class ServiceProcess {
public:
    // configText: the whole configuration; empty runs the built-in demo
    // configuration of program (default: the built service).
    explicit ServiceProcess(const QString& configText, const QString& program = QString());
    ~ServiceProcess();

    bool running() const { return m_port > 0 && m_process.state() == QProcess::Running; }
    int port() const { return m_port; }
    // "http://127.0.0.1:port/"
    QString baseUrl() const;
    // The folder holding the configuration; relative paths in it start here.
    QString folder() const { return m_dir.path(); }
    // Sends SIGTERM and waits for the exit; true when it exits cleanly (code 0).
    bool stop();
    QString output() const { return QString::fromUtf8(m_output); }

private:
    QTemporaryDir m_dir;
    QProcess m_process;
    QByteArray m_output;
    int m_port = 0;
};

QString ServiceProgram();
// A configuration with the build's access key and the given further lines.
QString ServiceConfigText(const QString& moreLines);
// Bytes that do not repeat within a run, so a misplaced piece shows.
QByteArray PatternBytes(qsizetype size);
bool WriteFile(const QString& path, const QByteArray& bytes);
QByteArray ReadFile(const QString& path);

// A loopback server with a fixed way of answering: once it has read a whole
// request it writes response (when not empty) and closes; with an empty
// response it accepts and stays silent.
class CannedHttpServer : public QTcpServer {
public:
    explicit CannedHttpServer(QByteArray response);
    QString baseUrl() const;
    // The requests received so far, each as received (head and body).
    const QList<QByteArray>& requests() const { return m_requests; }

private:
    QByteArray m_response;
    QList<QByteArray> m_requests;
};

// A plain GET, waited for in the event loop: the HTTP status and the body.
struct HttpResult {
    int status = 0;
    QByteArray body;
    QByteArray contentType;
};
HttpResult HttpGet(const QString& url);
