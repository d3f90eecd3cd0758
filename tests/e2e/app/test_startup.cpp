// Starts the built program as a learner would and watches it through its trace.
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include "support/TestSupport.h"

#include <gtest/gtest.h>

namespace {
QString ProgramPath() { return QStringLiteral(VARNELO_BINARY_DIR "/bin/varnelo"); }

// One program run with its own temporary folders, so runs never share the
// single-instance lock or a data folder with another test.
struct ProgramRun {
    QTemporaryDir tmp;
    QString tracePath = tmp.filePath("trace.jsonl");
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();

    ProgramRun()
    {
        QDir(tmp.path()).mkpath("tmp");
        QDir(tmp.path()).mkpath("tmpdir");
        env.insert("TMP", tmp.filePath("tmp"));
        env.insert("TMPDIR", tmp.filePath("tmpdir"));
        env.insert("VARNELO_TRACE", tracePath);
        env.insert("VARNELO_AUTO_ANSWER", "OK");
        env.insert("VARNELO_NO_BROWSER", "1");
        env.remove("QT_QPA_PLATFORM");
        if (!env.contains("QTWEBENGINE_CHROMIUM_FLAGS"))
            env.insert("QTWEBENGINE_CHROMIUM_FLAGS", "--no-sandbox");
    }

    std::unique_ptr<QProcess> start(const QProcessEnvironment& e) const
    {
        auto p = std::make_unique<QProcess>();
        p->setProcessEnvironment(e);
        // Forwarded, never piped: a full pipe nobody reads would stall the program.
        p->setProcessChannelMode(QProcess::ForwardedChannels);
        p->start(ProgramPath(), {});
        return p;
    }

    QList<QJsonObject> trace() const
    {
        return TraceEvents(tracePath);
    }

    // Waits (bounded) until the trace holds an event that matches.
    bool waitFor(const std::function<bool(const QJsonObject&)>& match, int ms = 60000) const
    {
        QElapsedTimer clock;
        clock.start();
        while (clock.elapsed() < ms) {
            for (const QJsonObject& e : trace())
                if (match(e))
                    return true;
            QThread::msleep(100);
        }
        return false;
    }
};

bool IsWindow(const QJsonObject& e, const char* name, const char* state)
{
    return e["ev"] == "window" && e["name"] == name && e["state"] == state;
}
}

TEST(Startup, SecondCopyEndsAtOnceAndLeavesTheFirstRunning)
{
    ProgramRun run;
    auto first = run.start(run.env);
    ASSERT_TRUE(first->waitForStarted(10000));
    ASSERT_TRUE(run.waitFor([](const QJsonObject& e) { return IsWindow(e, "frmStartUp", "loaded"); }));

    QProcessEnvironment secondEnv = run.env;
    secondEnv.insert("VARNELO_TRACE", run.tmp.filePath("second.jsonl"));
    auto second = run.start(secondEnv);
    ASSERT_TRUE(second->waitForFinished(10000));
    EXPECT_EQ(second->exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second->exitCode(), 0);
    // The second copy ends before it writes anything at all.
    EXPECT_FALSE(QFile::exists(run.tmp.filePath("second.jsonl")));

    EXPECT_EQ(first->state(), QProcess::Running);
    first->kill();
    first->waitForFinished(10000);
}

TEST(Startup, NonStandardDpiWarnsAndEndsWithNothingWritten)
{
    ProgramRun run;
    QProcessEnvironment env = run.env;
    env.insert("QT_FONT_DPI", "120");
    auto p = run.start(env);
    ASSERT_TRUE(p->waitForFinished(60000));
    EXPECT_EQ(p->exitCode(), 0);

    bool warned = false;
    for (const QJsonObject& e : run.trace()) {
        if (e["ev"] == "sysbox") {
            warned = true;
            EXPECT_EQ(e["title"].toString(), QStringLiteral("警告"));
            EXPECT_EQ(e["text"].toString(), QStringLiteral("您的視窗目前設定為較大顯示字型，請回復預設字型(96dpi)，才能正常使用本軟體。"));
        }
        EXPECT_NE(e["ev"], "sql");
        EXPECT_NE(e["ev"], "request");
    }
    EXPECT_TRUE(warned);
    EXPECT_TRUE(QDir(run.tmp.filePath("tmp")).isEmpty()) << "no data folder may be created";
}

TEST(Startup, FirstRunFillsTheDataFolderAndTracesWindowsAndQueries)
{
    if (!QFile::exists(QStringLiteral(VARNELO_BINARY_DIR "/bin/giz/vrndata.giz")))
        GTEST_SKIP() << "no demo content package in this build tree";
    ProgramRun run;
    auto p = run.start(run.env);
    ASSERT_TRUE(p->waitForStarted(10000));
    const bool shown = run.waitFor([](const QJsonObject& e) { return IsWindow(e, "frmMain", "shown"); });
    if (!shown) {
        QFile f(run.tracePath);
        f.open(QIODevice::ReadOnly);
        ADD_FAILURE() << "main window never shown; trace:\n" << f.readAll().left(3000).toStdString();
        return;
    }
    ASSERT_TRUE(run.waitFor([](const QJsonObject& e) {
        return e["ev"] == "sql" && e["text"] == "select letter_set, set_order from vowels_sound order by set_order";
    }));
    EXPECT_TRUE(QFile::exists(run.tmp.filePath("tmp/Varnelo/vrnbase.mdb")));

    QStringList loaded;
    for (const QJsonObject& e : run.trace())
        if (e["ev"] == "window" && e["state"] == "loaded")
            loaded << e["name"].toString();
    ASSERT_FALSE(loaded.isEmpty());
    EXPECT_EQ(loaded.first(), "frmStartUp");
    EXPECT_TRUE(loaded.contains("frmMain"));
    p->kill();
    p->waitForFinished(10000);
}
