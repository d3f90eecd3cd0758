// What one click in the lesson browser costs on the demo content: the queries
// and the page text of a main-list click (sub list, rule page, word table)
// and of a toggle (the main list on top), without the HTML views. The
// baseline copies the same page text once, so the figures read as "so many
// copies of the page".
//
//   cmake -S . -B build -DVARNELO_BUILD_BENCH=ON && cmake --build build --target bench_lessons
//   build/bin/bench_lessons            (VARNELO_BENCH_DATA=<data folder> for other content)
#include "app/AppValues.h"
#include "lessons/RulePage.h"
#include "lessons/SoundLists.h"
#include "lessons/WordTable.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <benchmark/benchmark.h>

namespace {
struct Click {
    QString mainValue;
    SubList sub;
    QString rule;
    WordTable words;
};

// A main-list click on row index of the vowel letter sets.
Click MainListClick(const QStringList& mainValues, size_t index)
{
    QStringList lstTemp;
    Click c;
    c.mainValue = mainValues.at(qsizetype(index % size_t(mainValues.size())));
    c.sub = BuildSubList(0, 0, c.mainValue, lstTemp);
    c.rule = BuildRulePage(c.sub.htm.value(0));
    c.words = BuildWordTable(GetWordKey(0, 0), c.mainValue, c.sub.subValue);
    return c;
}

QStringList MainValues()
{
    QStringList lstTemp;
    return BuildMainList(0, 0, lstTemp).values;
}

void BM_MainListClick(benchmark::State& state)
{
    const QStringList values = MainValues();
    size_t i = 0;
    for (auto _ : state) {
        Click c = MainListClick(values, i++);
        benchmark::DoNotOptimize(c);
    }
}

void BM_Toggle(benchmark::State& state)
{
    for (auto _ : state) {
        QStringList lstTemp;
        MainList main = BuildMainList(0, 0, lstTemp);
        SubList sub = BuildSubList(0, 0, main.mainValue, lstTemp);
        QString rule = BuildRulePage(sub.htm.value(0));
        WordTable words = BuildWordTable(GetWordKey(0, 0), main.mainValue, sub.subValue);
        benchmark::DoNotOptimize(main);
        benchmark::DoNotOptimize(sub);
        benchmark::DoNotOptimize(rule);
        benchmark::DoNotOptimize(words);
    }
}

// Baseline: the pages of the same clicks, already built, copied once.
void BM_CopyPageText(benchmark::State& state)
{
    const QStringList values = MainValues();
    std::vector<QString> pages;
    for (qsizetype i = 0; i < values.size(); ++i) {
        const Click c = MainListClick(values, size_t(i));
        pages.push_back(c.sub.html + c.rule + c.words.html);
    }
    size_t i = 0;
    for (auto _ : state) {
        const QString& page = pages[i++ % pages.size()];
        QString copy(page.constData(), page.size());
        benchmark::DoNotOptimize(copy);
    }
}

void Configure(benchmark::internal::Benchmark* b) { b->Repetitions(10)->ReportAggregatesOnly(true)->Unit(benchmark::kMicrosecond); }
}

BENCHMARK(BM_CopyPageText)->Apply(Configure);
BENCHMARK(BM_MainListClick)->Apply(Configure);
BENCHMARK(BM_Toggle)->Apply(Configure);

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QString data = qEnvironmentVariableIsSet("VARNELO_BENCH_DATA") ? qEnvironmentVariable("VARNELO_BENCH_DATA")
                                                                          : QStringLiteral(VARNELO_DEMO_DATA_DIR);
    if (!QFileInfo::exists(data + QStringLiteral("/vrnbase.mdb"))) {
        fprintf(stderr, "no content database in %s: build the demo content first\n", qPrintable(data));
        return 1;
    }
    // The data folder is TMP/<product folder>: point TMP at its parent.
    const QFileInfo folder(data);
    qputenv("TMP", QDir::toNativeSeparators(folder.absolutePath()).toLocal8Bit());
    InitGlobalValues();
    if (DataFolder() != QDir::toNativeSeparators(folder.absoluteFilePath())) {
        fprintf(stderr, "the data folder must be named %s\n", qPrintable(App().ProductFolderName));
        return 1;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
