// Import time of an Access 97 sample (nwind.mdb: 9 tables, about 4,000 rows,
// memos and OLE pictures) against mdb-export writing every table as CSV, run
// in the same invocation so that the ratio, not the machine, is the figure.
//
//   cmake -S . -B build -DVARNELO_BUILD_BENCH=ON && cmake --build build --target bench_jet
//   build/bin/bench_jet
#include "data/JetImport.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

const QString kSample = QStringLiteral(VARNELO_JET_SAMPLES "/nwind.mdb");

QByteArray RunTool(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished(-1);
    return process.readAllStandardOutput();
}

void ImportNwind(benchmark::State& state)
{
    if (!QFileInfo::exists(kSample)) {
        state.SkipWithError("the Access/Jet samples are absent");
        return;
    }
    QTemporaryDir dir;
    const QString cache = dir.filePath(QStringLiteral("nwind.mdb.sqlite"));
    for (auto _ : state) {
        QString error;
        if (!ImportJetToSqlite(kSample, cache, &error)) {
            state.SkipWithError(error.toStdString().c_str());
            return;
        }
    }
}
BENCHMARK(ImportNwind)->Unit(benchmark::kMillisecond)->UseRealTime();

// The baseline: mdbtools' own exporter over every table, one process each.
void MdbExportEveryTable(benchmark::State& state)
{
    if (!QFileInfo::exists(kSample)) {
        state.SkipWithError("the Access/Jet samples are absent");
        return;
    }
    const QList<QByteArray> tables = RunTool(QStringLiteral("mdb-tables"), {QStringLiteral("-1"), kSample})
                                         .split('\n');
    for (auto _ : state) {
        for (const QByteArray& table : tables) {
            if (!table.isEmpty())
                benchmark::DoNotOptimize(RunTool(QStringLiteral("mdb-export"), {kSample, QString::fromUtf8(table)}));
        }
    }
}
BENCHMARK(MdbExportEveryTable)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv)
{
    // Qt's SQL drivers are plugins, loaded through the application object.
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
