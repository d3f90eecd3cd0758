// Downloads a 50 MB package from a varnelo-service started on loopback, with
// clsUrlDownload and with curl, alternating, and reports the time ratio.
// Run: build/bench/download/bench_download [--benchmark_min_time=...]
#include "online/OnlineNetwork.h"
#include "online/clsUrlDownload.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTimer>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <map>

namespace {
constexpr qint64 kPackageSize = 50LL * 1024 * 1024;

QTemporaryDir* g_dir = nullptr;
QString g_url;

bool WaitFor(const std::function<bool()>& done, int limitMs)
{
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > limitMs)
            return false;
        QEventLoop loop;
        QTimer::singleShot(10, &loop, &QEventLoop::quit);
        loop.exec();
    }
    return true;
}

QString Target() { return g_dir->filePath(QStringLiteral("received.giz")); }

void BM_ClsUrlDownload(benchmark::State& state)
{
    clsUrlDownload download;
    for (auto _ : state) {
        if (download.StartTheStinkinDownLoad(g_url, Target()) != true)
            state.SkipWithError("download failed");
    }
    state.SetBytesProcessed(state.iterations() * kPackageSize);
}

void BM_Curl(benchmark::State& state)
{
    for (auto _ : state) {
        QProcess curl;
        curl.start(QStringLiteral("curl"), {QStringLiteral("-sS"), QStringLiteral("--noproxy"), QStringLiteral("*"),
                                               QStringLiteral("-o"), Target(), g_url});
        WaitFor([&] { return curl.state() == QProcess::NotRunning; }, 60000);
        if (curl.exitCode() != 0)
            state.SkipWithError("curl failed");
    }
    state.SetBytesProcessed(state.iterations() * kPackageSize);
}

// Remembers the mean time per iteration of each benchmark.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    std::map<std::string, double> seconds;
    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const Run& run : runs) {
            if (run.run_type == Run::RT_Iteration && run.iterations > 0)
                seconds[run.benchmark_name()] = run.GetAdjustedRealTime();
        }
        ConsoleReporter::ReportRuns(runs);
    }
};
}

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QTemporaryDir dir;
    g_dir = &dir;
    SetDownloadCacheFolder(dir.filePath(QStringLiteral("cache")));

    QByteArray package(kPackageSize, Qt::Uninitialized);
    QRandomGenerator(7).fillRange(reinterpret_cast<quint32*>(package.data()), kPackageSize / 4);
    QFile file(dir.filePath(QStringLiteral("vrndata.giz")));
    file.open(QIODevice::WriteOnly);
    file.write(package);
    file.close();
    QFile config(dir.filePath(QStringLiteral("service.conf")));
    config.open(QIODevice::WriteOnly);
    config.write("access_key = bench\npackage = vrndata.giz\n");
    config.close();

    QProcess service;
    QByteArray output;
    service.setProcessChannelMode(QProcess::MergedChannels);
    QObject::connect(&service, &QProcess::readyRead, [&] { output += service.readAll(); });
    service.start(QStringLiteral(VARNELO_BINARY_DIR "/bin/varnelo-service"),
        {QStringLiteral("--port"), QStringLiteral("0"), QStringLiteral("--config"), config.fileName()});
    static const QRegularExpression listening(QStringLiteral("listening on (http://\\S+/)"));
    WaitFor([&] { return listening.match(QString::fromUtf8(output)).hasMatch() || service.state() == QProcess::NotRunning; }, 10000);
    const QRegularExpressionMatch m = listening.match(QString::fromUtf8(output));
    if (!m.hasMatch()) {
        std::fprintf(stderr, "varnelo-service did not start: %s\n", output.constData());
        return 1;
    }
    g_url = m.captured(1) + QStringLiteral("vrn_download/vrndata.giz");

    benchmark::Initialize(&argc, argv);
    // Alternate the two a few times so a busy moment of a shared machine does
    // not fall on one of them only.
    for (int round = 0; round < 3; ++round) {
        benchmark::RegisterBenchmark(("download/clsUrlDownload/" + std::to_string(round)).c_str(), BM_ClsUrlDownload)
            ->Unit(benchmark::kMillisecond)->Iterations(4)->UseRealTime();
        benchmark::RegisterBenchmark(("download/curl/" + std::to_string(round)).c_str(), BM_Curl)
            ->Unit(benchmark::kMillisecond)->Iterations(4)->UseRealTime();
    }
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);

    double ours = 0, curl = 0;
    for (const auto& [name, time] : reporter.seconds) {
        if (name.find("/clsUrlDownload/") != std::string::npos)
            ours += time;
        else if (name.find("/curl/") != std::string::npos)
            curl += time;
    }
    if (ours > 0 && curl > 0)
        std::printf("\n50 MB download, clsUrlDownload time / curl time = %.2f\n", ours / curl);

    service.terminate();
    service.waitForFinished(5000);
    return 0;
}
