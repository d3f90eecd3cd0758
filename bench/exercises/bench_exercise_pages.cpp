// What a unit choice costs in the exercise windows: the queries and the page
// text of the unit list and of the exercise page, without the HTML views. Run
// on a copy of the demo content with one long unit added to each exercise
// (2000 items; the spelling exercise reads all its records and asks the first
// 200).
//
//   cmake -S . -B build -DVARNELO_BUILD_BENCH=ON && cmake --build build --target bench_exercises
//   build/bin/bench_exercises
#include "app/AppValues.h"
#include "exercises/ExercisePages.h"
#include "exercises/SpellingExercise.h"
#include "exercises/UnitListPage.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {
constexpr int kLongUnit = 2000;

// Adds unit 99 of every prefix, each with kLongUnit items.
bool AddLongUnits(const QString& database)
{
    bool ok = true;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("bench"));
        db.setDatabaseName(database);
        ok = db.open() && db.transaction();
        QSqlQuery q(db);
        for (const char* unit : {"E99", "P99", "K99", "S99"})
            ok = ok && q.exec(QStringLiteral("insert into p_unit (unitcode, descript) values ('%1', 'long unit')").arg(unit));
        for (int i = 0; ok && i < kLongUnit; ++i) {
            const QString word = QStringLiteral("word%1").arg(i);
            ok = q.exec(QStringLiteral("insert into beginner (unitcode, data2show1, data2show2, mp3) values ('E99', '%1', '(w3rd)', '%1')").arg(word))
                && q.exec(QStringLiteral("insert into jwords (word, phonetic, meaning, pri_char, pri_kk, snd_word, P_UNIT, S_UNIT) "
                                         "values ('%1', '(w3rd)', '字', 'o', 'R', '', 'P99', 'S99')").arg(word))
                && q.exec(QStringLiteral("insert into kk_reco (unitcode, word, opt1, opt2, opt3, opt4, answer) "
                                         "values ('K99', '%1', '(w3rd)', '(wUrd)', '(wOrd)', '(wArd)', 1)").arg(word));
        }
        ok = ok && db.commit();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("bench"));
    return ok;
}

void BM_UnitList(benchmark::State& state)
{
    const int exercise = int(state.range(0));
    for (auto _ : state) {
        QString page = UnitListPage(exercise, UnitPrefix(exercise) + QStringLiteral("01"));
        benchmark::DoNotOptimize(page);
    }
}

void BM_ListExercisePage(benchmark::State& state, QString (*Build)(const QString&), const char* unit)
{
    qint64 bytes = 0;
    for (auto _ : state) {
        QString page = Build(QString::fromLatin1(unit));
        bytes = page.size();
        benchmark::DoNotOptimize(page);
    }
    state.counters["chars"] = double(bytes);
}

void BM_SpellingPage(benchmark::State& state, const char* unit)
{
    for (auto _ : state) {
        const QStringList words = SpellingWordSequence(QString::fromLatin1(unit));
        const SpellingWord shown = ReadSpellingWord(words, QString());
        QString page = SpellingPage(QString::fromLatin1(unit), shown);
        benchmark::DoNotOptimize(page);
    }
}

void Configure(benchmark::internal::Benchmark* b) { b->Repetitions(5)->ReportAggregatesOnly(true)->Unit(benchmark::kMillisecond); }
}

BENCHMARK(BM_UnitList)->Arg(1)->Arg(2)->Apply(Configure);
BENCHMARK_CAPTURE(BM_ListExercisePage, exercise1_demo_unit, Exercise1Page, "E01")->Apply(Configure);
BENCHMARK_CAPTURE(BM_ListExercisePage, exercise1_long_unit, Exercise1Page, "E99")->Apply(Configure);
BENCHMARK_CAPTURE(BM_ListExercisePage, exercise2_demo_unit, Exercise2Page, "P01")->Apply(Configure);
BENCHMARK_CAPTURE(BM_ListExercisePage, exercise2_long_unit, Exercise2Page, "P99")->Apply(Configure);
BENCHMARK_CAPTURE(BM_ListExercisePage, exercise3_demo_unit, Exercise3Page, "K01")->Apply(Configure);
BENCHMARK_CAPTURE(BM_ListExercisePage, exercise3_long_unit, Exercise3Page, "K99")->Apply(Configure);
BENCHMARK_CAPTURE(BM_SpellingPage, exercise4_demo_unit, "S01")->Apply(Configure);
BENCHMARK_CAPTURE(BM_SpellingPage, exercise4_long_unit, "S99")->Apply(Configure);

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QString demo = QStringLiteral(VARNELO_DEMO_DATA_DIR) + QStringLiteral("/vrnbase.mdb");
    if (!QFileInfo::exists(demo)) {
        fprintf(stderr, "no content database in %s: build the demo content first\n", qPrintable(demo));
        return 1;
    }
    QTemporaryDir tmp;
    QDir().mkpath(tmp.path() + QStringLiteral("/Varnelo"));
    const QString database = tmp.path() + QStringLiteral("/Varnelo/vrnbase.mdb");
    if (!QFile::copy(demo, database) || !AddLongUnits(database)) {
        fprintf(stderr, "cannot prepare the benchmark database\n");
        return 1;
    }
    qputenv("TMP", QDir::toNativeSeparators(tmp.path()).toLocal8Bit());
    InitGlobalValues();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
