// The main window on a small content database: its controls, the cascade as
// the toggles, list clicks and buttons drive it, the exit question and the
// hand-over to the exercise windows.
#include "support/TestSupport.h"
#include "app/AppValues.h"
#include "app/Forms.h"
#include "app/Trace.h"
#include "audio/SoundFileCodec.h"
#include "audio/frmMediaPlayer.h"
#include "lessons/ExerciseLauncher.h"
#include "lessons/RulePageCodec.h"
#include "lessons/frmMain.h"
#include "ui/HtmlView.h"

#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QJsonObject>
#include <QMouseEvent>
#include <QProcess>
#include <QStandardPaths>
#include <QTimer>
#include <gtest/gtest.h>

namespace {
const QStringList kContent = {
    "create table vowels_sound (letter_set text collate nocase, sound text collate nocase, set_order integer, mp3 text collate nocase, htm text collate nocase)",
    "create table consonants_sound (letter_set text collate nocase, sound text collate nocase, set_order integer, mp3 text collate nocase, htm text collate nocase)",
    "create table w_sound (Letter_set text collate nocase, kk text collate nocase, scode text collate nocase)",
    "create table jwords (word text collate nocase, phonetic text collate nocase, meaning text collate nocase, pri_char text collate nocase, pri_kk text collate nocase, snd_word text collate nocase)",
    "insert into vowels_sound values ('a', 'A', 1, 'v_a', 'v_a'), ('a', 'e', 2, 'v_a_e', 'v_a_e'), ('ai', 'e', 3, 'v_ai', 'v_ai')",
    // "b" has no sound code: its word table is empty.
    "insert into consonants_sound values ('b', 'b', 1, 'c_b', 'c_b'), ('c', 'k', 2, 'c_c', 'c_c')",
    "insert into w_sound values ('c', 'k', 'C01')",
    "insert into jwords values ('cat', '(kAt)', '貓', 'a', 'A', 'C01'), ('bag', '(bAg)', '袋子', 'a', 'A', 'B01'),"
    " ('cake', '(kek)', '蛋糕', 'a', 'e', 'C01'), ('rain', '(ren)', '雨', 'ai', 'e', 'R01')",
};


void Click(QWidget* w)
{
    const QPointF at(w->width() / 2.0, w->height() / 2.0);
    const QPointF global = w->mapToGlobal(at);
    QMouseEvent press(QEvent::MouseButtonPress, at, global, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QMouseEvent release(QEvent::MouseButtonRelease, at, global, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(w, &press);
    QApplication::sendEvent(w, &release);
}

void MoveMouse(QWidget* w, QPoint at)
{
    QMouseEvent move(QEvent::MouseMove, at, w->mapToGlobal(QPointF(at)), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(w, &move);
}

bool WriteFile(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

class MainWindow : public ::testing::Test {
protected:
    FixtureDataFolder data{kContent};
    QString tracePath = data.tempFolder() + "/trace.jsonl";
    frmMain* form = nullptr;

    void SetUp() override
    {
        ASSERT_TRUE(data.ok());
        qputenv("VARNELO_AUTO_ANSWER", "OK");
        qputenv("VARNELO_NO_BROWSER", "1");
        for (const char* page : {"v_a", "v_a_e", "v_ai", "c_c"})
            ASSERT_TRUE(WriteFile(data.dataFolder() + "/xtm/" + page + ".xtm",
                                  Big5FileBytes(EncodeRulePage(QString("<html><head></head><body>%1 (ab)</body></html>").arg(page)))));
        ASSERT_TRUE(WriteFile(data.dataFolder() + "/xtm/css/rulestyle.css", Big5FileBytes("body { margin: 0; }")));
        Trace::openForTest(tracePath);
        form = frmMain::Open();
        ASSERT_TRUE(WaitForCascade());
    }

    void TearDown() override
    {
        SetExerciseOpener(nullptr);
        if (frmMediaPlayer* p = frmMediaPlayer::Loaded())
            UnloadForm(p);
        if (frmMain::Instance())
            frmMain::Instance()->Unload();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        Trace::openForTest(QString());
    }

    QList<QJsonObject> Events(const QString& ev) const
    {
        return TraceEvents(tracePath, ev);
    }

    QStringList Sql() const
    {
        QStringList out;
        for (const QJsonObject& e : Events("sql"))
            out << e["text"].toString();
        return out;
    }

    // The word table is the last page of a cascade; it shows once loaded.
    bool WaitForCascade() { return WaitUntil([&] { return form->view("webWords")->isVisible(); }, 30000); }

    int PagesIn(const QString& view) const
    {
        int n = 0;
        for (const QJsonObject& e : Events("page"))
            n += e["view"] == view;
        return n;
    }
};
}

TEST_F(MainWindow, OpensOnTheFirstLetterSetWithEveryControlInPlace)
{
    EXPECT_EQ(frmMain::Instance(), form);
    EXPECT_TRUE(LoadedForms().contains(form));
    EXPECT_EQ(form->size(), QSize(1004, 724));
    EXPECT_EQ(form->wordKey(), "phsnd1");
    EXPECT_EQ(form->mainValue(), "a");
    EXPECT_EQ(form->subValue(), "A");
    EXPECT_EQ(form->subIndex(), 0);
    EXPECT_EQ(form->mp3List(), (QStringList{"v_a", "v_a_e"}));
    EXPECT_EQ(Sql(), (QStringList{
                         "select letter_set, set_order from vowels_sound order by set_order",
                         "select * from vowels_sound where letter_set = 'a' order by set_order",
                         "SELECT word, phonetic, meaning, pri_char, pri_kk  FROM jwords  where pri_char = 'a' and pri_kk = 'A'  ORDER BY word",
                     }));
    for (const char* view : {"webListMain", "webListSub", "webSoundRule", "webWords"})
        EXPECT_EQ(PagesIn(view), 1) << view;

    struct Place {
        const char* name;
        QRect geometry;
    };
    const Place places[] = {
        {"imgBackground", {40, 124, 927, 567}}, {"picMenu1", {636, 104, 48, 48}}, {"picMenu2", {692, 104, 48, 48}},
        {"picMenu3", {746, 104, 48, 48}},       {"picMenu4", {798, 104, 48, 48}}, {"picMenu5", {852, 104, 48, 48}},
        {"picMenu0", {906, 104, 48, 48}},       {"picTypeButton", {64, 142, 204, 61}}, {"picFrameTab", {60, 226, 253, 46}},
        {"imgFrameTabSelect", {68, 238, 99, 33}}, {"picFrameDesk", {60, 272, 253, 386}},
        {"picFrameTabCaption", {90, 288, 192, 27}}, {"picBtnSoundPlay", {100, 576, 178, 60}},
        {"imgClose", {958, 12, 32, 25}},
    };
    for (const Place& p : places) {
        QWidget* w = form->findChild<QWidget*>(p.name);
        ASSERT_NE(w, nullptr) << p.name;
        EXPECT_EQ(QRect(w->mapTo(form, QPoint(0, 0)), w->size()), p.geometry) << p.name;
    }
    const std::pair<const char*, QRect> views[] = {{"webListMain", {88, 322, 87, 239}}, {"webListSub", {200, 322, 87, 239}},
                                                   {"webSoundRule", {366, 194, 555, 137}}, {"webWords", {366, 394, 555, 251}}};
    for (const auto& [name, rect] : views)
        EXPECT_EQ(form->view(name)->geometry(), rect) << name;

    const char* tips[6] = {"結束離開", "拼音跟讀練習", "例字跟讀練習", "音標認讀練習", "聽音拼字練習", "使用說明"};
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(form->menuButton(i)->toolTip(), QString::fromUtf8(tips[i]));

    // For a look at the window: build/tests/lessons-main-fixture.png.
    form->grab().save(QStringLiteral(VARNELO_BINARY_DIR "/tests/lessons-main-fixture.png"));
}

TEST_F(MainWindow, TogglesReenterTheCascadeAtItsTop)
{
    const qsizetype before = Events("page").size();
    Click(form->typeButton());
    ASSERT_TRUE(WaitForCascade());
    EXPECT_EQ(form->listMode(), 1);
    EXPECT_EQ(form->wordKey(), "phchr1");
    EXPECT_TRUE(form->hoverLocked());
    EXPECT_EQ(form->mainValue(), "A");
    EXPECT_EQ(form->subValue(), "a");
    EXPECT_EQ(Sql().mid(3), (QStringList{
                                "select sound, set_order from vowels_sound order by set_order",
                                "select * from vowels_sound where sound = 'A' order by set_order",
                                "SELECT word, phonetic, meaning, pri_char, pri_kk  FROM jwords  where pri_char = 'a' and pri_kk = 'A'  ORDER BY word",
                            }));

    // Twice: back to letter sets, everything rebuilt again.
    Click(form->typeButton());
    ASSERT_TRUE(WaitForCascade());
    EXPECT_EQ(form->listMode(), 0);
    EXPECT_EQ(form->wordKey(), "phsnd1");
    EXPECT_EQ(Events("page").size() - before, 8) << "four pages per toggle";

    // Consonants while browsing by sound: "phchr2".
    Click(form->typeButton());
    ASSERT_TRUE(WaitForCascade());
    Click(form->tabSelect());
    ASSERT_TRUE(WaitForCascade());
    EXPECT_EQ(form->soundType(), 1);
    EXPECT_EQ(form->wordKey(), "phchr2");
}

TEST_F(MainWindow, AConsonantWithoutSoundCodeTellsTheLearnerNoWordsWereFound)
{
    Click(form->tabSelect());
    ASSERT_TRUE(WaitUntil([&] { return !Events("answer").isEmpty(); }, 30000));
    EXPECT_EQ(form->wordKey(), "phsnd2");
    EXPECT_EQ(form->mainValue(), "b");
    EXPECT_EQ(MessageSubject, "相關例字");
    const QList<QJsonObject> messages = Events("message");
    ASSERT_EQ(messages.size(), 1);
    EXPECT_EQ(messages[0]["id"], "9001");
    EXPECT_EQ(messages[0]["icon"], 1);
    EXPECT_EQ(messages[0]["buttons"], "OK");
    EXPECT_EQ(messages[0]["caption"], "1");
    EXPECT_EQ(messages[0]["text"].toString(), "\r\n找不到相關例字資料！");
    EXPECT_FALSE(Events("page").last()["html"].toString().contains("<a href='cmd:"));

    // "c" has its code and its words.
    form->webListMain_BeforeNavigate2("1#c");
    ASSERT_TRUE(WaitForCascade());
    EXPECT_EQ(Sql().mid(Sql().size() - 3), (QStringList{
                                                "select * from consonants_sound where letter_set = 'c' order by set_order",
                                                "SELECT scode  FROM w_sound  where Letter_set = 'c' and kk = 'k' ",
                                                "SELECT word, phonetic, meaning, pri_char, pri_kk  FROM jwords  where snd_word like '%C01%' ORDER BY word",
                                            }));
    EXPECT_EQ(Events("message").size(), 1);
}

TEST_F(MainWindow, ListClicksSelectWhatTheSoundButtonPlays)
{
    form->webListSub_BeforeNavigate2("1#e");
    ASSERT_TRUE(WaitForCascade());
    EXPECT_EQ(form->subIndex(), 1);
    EXPECT_EQ(form->subValue(), "e");
    EXPECT_EQ(Sql().last(),
              "SELECT word, phonetic, meaning, pri_char, pri_kk  FROM jwords  where pri_char = 'a' and pri_kk = 'e'  ORDER BY word");
    EXPECT_TRUE(Events("page").last()["html"].toString().contains("<a href='cmd:cake'>"));

    // A main-list click starts the sub list again at row 0.
    form->webListMain_BeforeNavigate2("1#ai");
    ASSERT_TRUE(WaitForCascade());
    EXPECT_EQ(form->mainValue(), "ai");
    EXPECT_EQ(form->subIndex(), 0);
    EXPECT_EQ(form->subValue(), "e");
    EXPECT_EQ(form->mp3List(), QStringList{"v_ai"});

    if (QStandardPaths::findExecutable("sox").isEmpty() || QStandardPaths::findExecutable("lame").isEmpty())
        GTEST_SKIP() << "sox and lame are needed to make a test recording";
    const QString wav = data.tempFolder() + "/t.wav", mp3 = data.tempFolder() + "/t.mp3";
    ASSERT_EQ(QProcess::execute("sox", {"-n", "-r", "22050", "-c", "1", wav, "synth", "0.2", "sine", "440"}), 0);
    ASSERT_EQ(QProcess::execute("lame", {"--quiet", wav, mp3}), 0);
    QFile in(mp3);
    ASSERT_TRUE(in.open(QIODevice::ReadOnly));
    QByteArray bytes = in.readAll();
    PermuteSoundBytes(bytes);
    ASSERT_TRUE(WriteFile(data.dataFolder() + "/xp3/v_ai.xp3", bytes));

    Click(form->soundButton());
    const QList<QJsonObject> sounds = Events("sound");
    ASSERT_EQ(sounds.size(), 2);
    EXPECT_EQ(sounds[0]["name"], "v_ai");
    EXPECT_EQ(sounds[0]["state"], "play");
    EXPECT_EQ(sounds[1]["state"], "stopped");
    EXPECT_TRUE(form->hoverLocked()) << "releasing the sound button locks the hover pictures";
}

TEST_F(MainWindow, HoverLockLastsUntilTheMouseIsBackOverTheBackground)
{
    Click(form->menuButton(5));  // the manual: opens the browser, nothing else
    EXPECT_TRUE(form->hoverLocked());
    MoveMouse(form->menuButton(3), QPoint(10, 10));
    EXPECT_EQ(form->menuButton(3)->pictureIndex(), 0) << "no hover picture while locked";

    MoveMouse(form, QPoint(20, 20));  // the top strip, outside the background area
    EXPECT_TRUE(form->hoverLocked());
    MoveMouse(form, QPoint(70, 300));  // over the panel behind the lists
    EXPECT_FALSE(form->hoverLocked());

    const QList<QJsonObject> opened = Events("browser");
    ASSERT_EQ(opened.size(), 1);
    EXPECT_EQ(opened[0]["url"].toString(), App().WebSiteUrl + "_manuals/vrn/");
}

TEST_F(MainWindow, AnsweringTheExitQuestionWithCancelLeavesEverythingUsable)
{
    qputenv("VARNELO_AUTO_ANSWER", "CANCEL");
    Click(form->menuButton(0));
    const QList<QJsonObject> messages = Events("message");
    ASSERT_EQ(messages.size(), 1);
    EXPECT_EQ(messages[0]["id"], "40");
    EXPECT_EQ(messages[0]["icon"], 2);
    EXPECT_EQ(messages[0]["buttons"], "OK_CANCEL");
    EXPECT_EQ(messages[0]["caption"], "2");
    EXPECT_EQ(MessageAnswer, "CANCEL");
    EXPECT_TRUE(form->isEnabled());
    EXPECT_TRUE(form->isVisible());
    EXPECT_FALSE(form->fading());
    EXPECT_TRUE(LoadedForms().contains(form));
    EXPECT_TRUE(Events("exit").isEmpty());
}

TEST_F(MainWindow, AnExerciseHidesTheMainWindowUntilItCloses)
{
    // Without the exercise windows the entries do nothing.
    Click(form->menuButton(1));
    EXPECT_TRUE(form->isVisible());

    QList<int> opened;
    SetExerciseOpener([&](int entry) { opened << entry; });
    form->webListMain_BeforeNavigate2("1#ai");
    ASSERT_TRUE(WaitForCascade());
    const qsizetype pages = Events("page").size();
    for (int entry = 1; entry <= 4; ++entry) {
        Click(form->menuButton(entry));
        EXPECT_FALSE(form->isVisible()) << entry;
        form->ShowAgain();
        EXPECT_TRUE(form->isVisible());
    }
    EXPECT_EQ(opened, (QList<int>{1, 2, 3, 4}));
    // Coming back keeps the selection and the pages.
    EXPECT_EQ(form->mainValue(), "ai");
    EXPECT_EQ(Events("page").size(), pages);
    EXPECT_TRUE(LoadedForms().contains(form));
}
