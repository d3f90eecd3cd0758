// Closing the main window while a word plays: the sound waits in a nested
// event loop inside the window's own click handler, so the exit procedure
// must wait until that handler has returned. (A test program of its own: the
// exit procedure ends the event loops of the program it runs in.)
#include "support/TestSupport.h"
#include "app/AppValues.h"
#include "app/Forms.h"
#include "app/Trace.h"
#include "audio/SoundFileCodec.h"
#include "lessons/frmMain.h"
#include "ui/HtmlView.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QJsonObject>
#include <QMouseEvent>
#include <QProcess>
#include <QStandardPaths>
#include <QTimer>
#include <gtest/gtest.h>

TEST(ClosingTheMainWindow, WhileAWordPlaysEndsTheSoundThenThePrograms)
{
    if (QStandardPaths::findExecutable("sox").isEmpty() || QStandardPaths::findExecutable("lame").isEmpty())
        GTEST_SKIP() << "sox and lame are needed to make a test recording";
    FixtureDataFolder data({
        "create table vowels_sound (letter_set text collate nocase, sound text collate nocase, set_order integer, mp3 text collate nocase, htm text collate nocase)",
        "create table jwords (word text collate nocase, phonetic text collate nocase, meaning text collate nocase, pri_char text collate nocase, pri_kk text collate nocase, snd_word text collate nocase)",
        "insert into vowels_sound values ('a', 'A', 1, 'v_a', 'v_a')",
        "insert into jwords values ('cat', '(kAt)', '貓', 'a', 'A', 'C01')",
    });
    ASSERT_TRUE(data.ok());
    const QString wav = data.tempFolder() + "/t.wav", mp3 = data.tempFolder() + "/t.mp3";
    ASSERT_EQ(QProcess::execute("sox", {"-n", "-r", "22050", "-c", "1", wav, "synth", "5", "sine", "440"}), 0);
    ASSERT_EQ(QProcess::execute("lame", {"--quiet", wav, mp3}), 0);
    QFile in(mp3);
    ASSERT_TRUE(in.open(QIODevice::ReadOnly));
    QByteArray bytes = in.readAll();
    PermuteSoundBytes(bytes);
    QDir().mkpath(data.dataFolder() + "/xp3");
    QFile out(data.dataFolder() + "/xp3/cat.xp3");
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write(bytes);
    out.close();

    const QString tracePath = data.tempFolder() + "/trace.jsonl";
    Trace::openForTest(tracePath);
    frmMain* form = frmMain::Open();

    // The speaker click arrives queued, as the view delivers it; the close
    // button is pressed while the word plays.
    QMetaObject::invokeMethod(form, [form] { form->webWords_BeforeNavigate2("cat"); }, Qt::QueuedConnection);
    QTimer::singleShot(800, form, [form] {
        auto* close = form->findChild<QWidget*>("imgClose");
        const QPointF at(5, 5);
        QMouseEvent press(QEvent::MouseButtonPress, at, close->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QMouseEvent release(QEvent::MouseButtonRelease, at, close->mapToGlobal(at), Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(close, &press);
        QApplication::sendEvent(close, &release);
    });
    QElapsedTimer clock;
    clock.start();
    QEventLoop program;
    QTimer::singleShot(20000, &program, &QEventLoop::quit);
    program.exec();  // ended by the exit procedure
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    Trace::openForTest(QString());

    EXPECT_LT(clock.elapsed(), 4500) << "the word was cut short";
    EXPECT_EQ(frmMain::Instance(), nullptr);
    EXPECT_TRUE(LoadedForms().isEmpty());
    EXPECT_TRUE(QDir(data.tempFolder()).entryList({"vrn_sound*.mp3"}).isEmpty());

    QStringList order;
    ASSERT_TRUE(QFile::exists(tracePath));
    for (const QJsonObject& e : TraceEvents(tracePath)) {
        if (e["ev"] == "sound")
            order << e["name"].toString() + " " + e["state"].toString();
        else if (e["ev"] == "exit")
            order << "exit";
        else if (e["ev"] == "window" && e["state"] == "unloaded")
            order << e["name"].toString() + " unloaded";
    }
    EXPECT_EQ(order, (QStringList{"cat play", "cat stopped", "exit", "frmMediaPlayer unloaded", "frmMain unloaded"}));
}
