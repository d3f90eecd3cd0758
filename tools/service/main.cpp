// varnelo-service: the web service the program asks for its versions, news
// and content package. Runs the built-in demo configuration unless given one.
#include "ServiceConfig.h"
#include "ServiceServer.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <csignal>
#include <cstdio>
#include <pthread.h>
#include <thread>

namespace {
int Fail(const QString& text, int code)
{
    std::fprintf(stderr, "varnelo-service: %s\n", text.toLocal8Bit().constData());
    return code;
}
}

int main(int argc, char* argv[])
{
    // The stop signals are taken by the main thread alone (sigwait below);
    // blocked here, before any thread exists, they stay blocked in the
    // server's worker threads.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGTERM);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGHUP);
    sigaddset(&stopSignals, SIGUSR1);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);

    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("varnelo-service"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Answers the Varnelo program's web-service pages and serves its content package."));
    parser.addHelpOption();
    const QCommandLineOption configOption(QStringLiteral("config"), QStringLiteral("Configuration file (default: the built-in demo configuration)."), QStringLiteral("FILE"));
    const QCommandLineOption portOption(QStringLiteral("port"), QStringLiteral("Port to listen on; 0 picks a free one (default: %1).").arg(VARNELO_SERVICE_PORT), QStringLiteral("N"));
    const QCommandLineOption bindOption(QStringLiteral("bind"), QStringLiteral("Address to listen on (default: 127.0.0.1)."), QStringLiteral("ADDR"));
    const QCommandLineOption demoOption(QStringLiteral("print-demo-config"), QStringLiteral("Print the built-in demo configuration and exit."));
    parser.addOptions({configOption, portOption, bindOption, demoOption});
    parser.process(app);

    if (parser.isSet(demoOption)) {
        std::fputs(DemoConfigText().toUtf8().constData(), stdout);
        return 0;
    }

    QString text = DemoConfigText();
    QString baseFolder = QCoreApplication::applicationDirPath();
    QString source = QStringLiteral("built-in demo configuration");
    if (parser.isSet(configOption)) {
        source = parser.value(configOption);
        QFile file(source);
        if (!file.open(QIODevice::ReadOnly))
            return Fail(QStringLiteral("cannot read %1: %2").arg(source, file.errorString()), 2);
        text = QString::fromUtf8(file.readAll());
        baseFolder = QFileInfo(source).absolutePath();
    }
    QStringList errors;
    ServiceConfig config = ParseServiceConfig(text, baseFolder, &errors);
    if (!errors.isEmpty())
        return Fail(source + QStringLiteral(": ") + errors.join(QStringLiteral("; ")), 2);

    int port = config.port != 0 ? config.port : VARNELO_SERVICE_PORT;
    if (parser.isSet(portOption)) {
        bool ok = false;
        port = parser.value(portOption).toInt(&ok);
        if (!ok || port < 0 || port > 65535)
            return Fail(QStringLiteral("--port needs a number from 0 to 65535"), 2);
    }
    QString bind = config.bind.isEmpty() ? QStringLiteral("127.0.0.1") : config.bind;
    if (parser.isSet(bindOption))
        bind = parser.value(bindOption);

    ServiceServer server(config);
    const int bound = server.Bind(bind, port);
    if (bound < 0)
        return Fail(QStringLiteral("cannot listen on %1:%2").arg(bind).arg(port), 1);
    std::printf("varnelo-service listening on http://%s:%d/ (%s)\n", bind.toLocal8Bit().constData(), bound,
        source.toLocal8Bit().constData());
    std::fflush(stdout);

    bool served = true;
    std::thread serving([&] {
        served = server.Serve();
        // Wakes the main thread when serving ends by itself.
        kill(getpid(), SIGUSR1);
    });
    int received = 0;
    sigwait(&stopSignals, &received);
    server.Stop();
    serving.join();
    if (received == SIGUSR1 && !served)
        return Fail(QStringLiteral("serving stopped on an error"), 1);
    std::printf("varnelo-service stopped\n");
    return 0;
}
