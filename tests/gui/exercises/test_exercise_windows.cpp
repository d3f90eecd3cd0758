#include "ExerciseGui.h"
#include "app/AppValues.h"
#include "app/Forms.h"
#include "app/Trace.h"
#include "audio/SoundFileCodec.h"
#include "exercises/ExerciseWindows.h"
#include "lessons/ExerciseLauncher.h"
#include "exercises/frmExam1.h"
#include "exercises/frmExam3.h"
#include "exercises/frmExam4.h"
#include "lessons/frmMain.h"
#include "support/TestSupport.h"
#include "ui/PictureButton.h"
#include "unit/exercises/ExerciseFixture.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QJsonObject>
#include <QPointer>
#include <QProcess>
#include <QStandardPaths>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

using gui::Js;

namespace {
// A recording the player accepts and fails to decode at once: enough to
// see in the trace that and when a sound was asked for.
void WriteRecording(const QString& name)
{
    QDir().mkpath(DataFolder() + "/xp3");
    QFile f(DataFolder() + "/xp3/" + name + ".xp3");
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(QByteArray(5000, '\0'));
}

// A real recording of a tone lasting `seconds`, scrambled as the content has it.
bool WritePlayableRecording(const QString& name, int seconds)
{
    if (QStandardPaths::findExecutable("sox").isEmpty() || QStandardPaths::findExecutable("lame").isEmpty())
        return false;
    const QString wav = App().TempFolder + "/tone.wav", mp3 = App().TempFolder + "/tone.mp3";
    if (QProcess::execute("sox", {"-n", "-r", "22050", "-c", "1", wav, "synth", QString::number(seconds), "sine", "440"}) != 0
        || QProcess::execute("lame", {"--quiet", wav, mp3}) != 0)
        return false;
    QFile in(mp3);
    if (!in.open(QIODevice::ReadOnly))
        return false;
    QByteArray bytes = in.readAll();
    PermuteSoundBytes(bytes);
    QDir().mkpath(DataFolder() + "/xp3");
    QFile out(DataFolder() + "/xp3/" + name + ".xp3");
    return out.open(QIODevice::WriteOnly) && out.write(bytes) == bytes.size();
}

// The trace of one test, read back as events.
class TraceLog {
public:
    TraceLog() { Trace::openForTest(m_dir.path() + "/trace.jsonl"); }
    ~TraceLog() { Trace::openForTest(QString()); }
    QList<QJsonObject> events(const QString& ev) const
    {
        return TraceEvents(m_dir.path() + "/trace.jsonl", ev);
    }
    // Names of the sounds that started playing, in order.
    QStringList playedSounds() const
    {
        QStringList out;
        for (const QJsonObject& o : events("sound"))
            if (o.value("state") == "play")
                out << o.value("name").toString();
        return out;
    }

private:
    QTemporaryDir m_dir;
};

// Opens a window as the menu does and waits until both views show their pages.
template <typename W>
std::unique_ptr<W> OpenWindow()
{
    auto w = std::make_unique<W>();
    QSignalSpy list(w->selectView(), &HtmlView::pageLoaded);
    QSignalSpy main(w->mainView(), &HtmlView::pageLoaded);
    w->Form_Load();
    EXPECT_TRUE(WaitUntil([&] { return list.count() >= 1 && main.count() >= 1; }));
    return w;
}

// Clicks row `row` of the unit list and waits for the new exercise page.
void ChooseUnit(ExerciseWindow* w, int row)
{
    QSignalSpy main(w->mainView(), &HtmlView::pageLoaded);
    Js(w->selectView(), QString("document.querySelectorAll('tr')[%1].querySelector('td').click();").arg(row));
    ASSERT_TRUE(WaitUntil([&] { return main.count() >= 1; }));
}

QString Html(HtmlView* view, const QString& expression) { return Js(view, expression).toString(); }

// Types into the focused page the way a learner does, then presses Enter.
void TypeAnswer(ExerciseWindow* w, const QString& text)
{
    Js(w->mainView(), "var f = document.getElementById('inputword'); f.value = ''; f.focus();");
    QWidget* target = w->mainView()->focusProxy() ? w->mainView()->focusProxy() : w->mainView();
    QTest::keyClicks(target, text);
    ASSERT_TRUE(WaitUntil([&] { return Html(w->mainView(), "document.getElementById('inputword').value") == text; }));
    QTest::keyClick(target, Qt::Key_Return);
}
}

TEST(ExerciseWindows, OpeningShowsTheUnitsAndAnEmptyPageAndFadesIn)
{
    FixtureDataFolder data(fixture::kSchema);
    TraceLog trace;
    auto w = OpenWindow<frmExam1>();
    EXPECT_EQ(w->selectedUnit(), "");
    EXPECT_EQ(Js(w->selectView(), "document.querySelectorAll('tr').length").toInt(), 2);
    EXPECT_EQ(Js(w->mainView(), "document.querySelectorAll('table').length").toInt(), 0);
    ASSERT_TRUE(WaitUntil([&] { return !w->fading(); }));
    EXPECT_EQ(w->alpha(), 255);
    EXPECT_EQ(w->size(), QSize(1004, 724));
    EXPECT_TRUE(trace.playedSounds().isEmpty());
}

TEST(ExerciseWindows, Exercise1PlaysTheItemOfASpeaker)
{
    FixtureDataFolder data(fixture::kSchema);
    WriteRecording("b_d");
    TraceLog trace;
    auto w = OpenWindow<frmExam1>();
    ChooseUnit(w.get(), 0);
    EXPECT_EQ(w->selectedUnit(), "E5");
    // White, orange, white.
    EXPECT_EQ(Html(w->mainView(), "Array.from(document.querySelectorAll('tr')).map(r => r.cells[1].bgColor).join()"),
              "#FFFFFF,#FFCA95,#FFFFFF");
    const QString before = trace.events("page").last().value("html").toString();
    Js(w->mainView(), "document.querySelectorAll('a')[2].click();");
    ASSERT_TRUE(WaitUntil([&] { return trace.playedSounds() == QStringList({"b_d"}); }));
    // The speaker does not rebuild the page.
    EXPECT_EQ(trace.events("page").last().value("html").toString(), before);
}

TEST(ExerciseWindows, Exercise3MarksEveryPickAndAnswersWithABox)
{
    FixtureDataFolder data(fixture::kSchema);
    gui::BoxRecorder boxes;
    auto w = OpenWindow<frmExam3>();
    ChooseUnit(w.get(), 0);
    ASSERT_EQ(w->selectedUnit(), "K01");

    // A wrong pick: the cross beside it, then the box.
    Js(w->mainView(), "document.getElementById('opt_cat_2').click();");
    ASSERT_TRUE(boxes.WaitForCount(1));
    EXPECT_EQ(boxes.boxes[0].title, "訊息");
    EXPECT_EQ(boxes.boxes[0].text, "您答錯了，請再想想看");
    EXPECT_EQ(boxes.boxes[0].icon, SystemBoxIcon::Warning);
    EXPECT_TRUE(Html(w->mainView(), "document.getElementById('optfield_1_2').innerHTML").contains("/pic/ans_err.gif"));

    // Then the right one: the tick, the box, and the cross stays.
    Js(w->mainView(), "document.getElementById('opt_cat_1').click();");
    ASSERT_TRUE(boxes.WaitForCount(2));
    EXPECT_EQ(boxes.boxes[1].text, "您答對了");
    EXPECT_EQ(boxes.boxes[1].icon, SystemBoxIcon::Information);
    EXPECT_TRUE(Html(w->mainView(), "document.getElementById('optfield_1_1').innerHTML").contains("/pic/ans_ok.gif"));
    EXPECT_TRUE(Html(w->mainView(), "document.getElementById('optfield_1_2').innerHTML").contains("/pic/ans_err.gif"));

    // The second question is judged by its own answer.
    Js(w->mainView(), "document.getElementById('opt_cake_2').click();");
    ASSERT_TRUE(boxes.WaitForCount(3));
    EXPECT_EQ(boxes.boxes[2].text, "您答對了");
    EXPECT_TRUE(Html(w->mainView(), "document.getElementById('optfield_2_2').innerHTML").contains("/pic/ans_ok.gif"));
}

TEST(ExerciseWindows, Exercise4JudgesTypedAnswersAndMovesOn)
{
    FixtureDataFolder data(fixture::kSchema);
    WriteRecording("cat");
    TraceLog trace;
    gui::BoxRecorder boxes;
    auto w = OpenWindow<frmExam4>();
    ChooseUnit(w.get(), 0);
    ASSERT_EQ(w->selectedUnit(), "S01");
    // The word plays once its page is shown, then the answer field has the focus.
    ASSERT_TRUE(WaitUntil([&] { return trace.playedSounds() == QStringList({"cat"}); }));
    ASSERT_TRUE(WaitUntil([&] { return Html(w->mainView(), "document.activeElement.id") == "inputword"; }));
    const QList<QJsonObject> events = trace.events("page");
    EXPECT_TRUE(events.last().value("html").toString().contains(" var tmpWord = 'cat';"));

    // Exact comparison: letter case and blanks count.
    for (const QString& wrong : {QString("Cat"), QString(" cat"), QString("cat ")}) {
        const int before = boxes.boxes.size();
        TypeAnswer(w.get(), wrong);
        ASSERT_TRUE(boxes.WaitForCount(before + 1)) << wrong.toStdString();
        EXPECT_EQ(boxes.lastText(), "您再想想看，若需要提示請按﹝提示一字母﹞");
        EXPECT_EQ(boxes.boxes.last().icon, SystemBoxIcon::Warning);
    }
    EXPECT_EQ(w->currentWord(), "");

    // The right answer: the box, then the next word's page.
    QSignalSpy main(w->mainView(), &HtmlView::pageLoaded);
    const int before = boxes.boxes.size();
    TypeAnswer(w.get(), "cat");
    ASSERT_TRUE(boxes.WaitForCount(before + 1));
    EXPECT_EQ(boxes.lastText(), "您答對了，請按 [確定] 繼續");
    EXPECT_EQ(boxes.boxes.last().icon, SystemBoxIcon::Information);
    ASSERT_TRUE(WaitUntil([&] { return main.count() >= 1; }));
    EXPECT_EQ(w->currentWord(), "cake");
    EXPECT_EQ(Js(w->mainView(), "tmpWord").toString(), "cake");

    // Hint 1 shows one letter more per press, up to the whole word.
    QStringList shown;
    for (int i = 0; i < 6; ++i) {
        Js(w->mainView(), "document.querySelector(\"a[href*='f_word']\").click();");
        shown << Html(w->mainView(), "document.getElementById('f_word').innerHTML");
    }
    EXPECT_EQ(shown, QStringList({"c", "ca", "cak", "cake", "cake", "cake"}));
    // Hints 2 and 3 show and hide their transcription on alternate presses.
    for (const QString& id : {QString("f_priaccent"), QString("f_phonetic")}) {
        QStringList states;
        for (int i = 0; i < 3; ++i) {
            Js(w->mainView(), QString("document.querySelector(\"a[href*='%1']\").click();").arg(id));
            states << Html(w->mainView(), QString("document.getElementById('%1').style.display").arg(id));
        }
        EXPECT_EQ(states, QStringList({"inline", "none", "inline"})) << id.toStdString();
    }
    EXPECT_EQ(Html(w->mainView(), "document.activeElement.id"), "inputword");
}

TEST(ExerciseWindows, Exercise4TellsWhenTheRangeIsFinished)
{
    FixtureDataFolder data(fixture::kSchema);
    gui::BoxRecorder boxes;
    auto w = OpenWindow<frmExam4>();
    // The box comes while the page is built, before the word's page is shown.
    bool pageVisibleDuringBox = true;
    boxes.whileOpen = [&] { pageVisibleDuringBox = w->mainView()->isVisible(); };
    ChooseUnit(w.get(), 1);  // S02: one word
    ASSERT_EQ(boxes.boxes.size(), 1);
    EXPECT_EQ(boxes.lastText(), "該範圍題目已全部結束，請由左方選取《聽音拼字練習》項目 ");
    EXPECT_EQ(boxes.boxes.last().icon, SystemBoxIcon::Warning);
    EXPECT_FALSE(pageVisibleDuringBox);
    boxes.whileOpen = nullptr;
    EXPECT_EQ(Js(w->mainView(), "document.querySelectorAll(\"a[href^='cmd:NEXT']\").length").toInt(), 0);
    EXPECT_EQ(Js(w->mainView(), "tmpWord").toString(), "city");

    TypeAnswer(w.get(), "city");
    ASSERT_TRUE(boxes.WaitForCount(2));
    EXPECT_EQ(boxes.lastText(), "該範圍題目已全部結束，請由左方選取《聽音拼字練習》項目 ");
}

TEST(ExerciseWindows, Exercise4EndsAfterThe200thWord)
{
    QStringList sql = fixture::kSchema;
    sql << "insert into p_unit values ('S09', 'long')";
    QStringList rows;
    for (int i = 1; i <= 201; ++i)
        rows << QString("('w%1', '(w)', 'm', null, null, '', '', 'S09')").arg(i);
    sql << "insert into jwords values " + rows.join(", ");
    FixtureDataFolder data(sql);
    gui::BoxRecorder boxes;
    auto w = OpenWindow<frmExam4>();
    ChooseUnit(w.get(), 2);
    ASSERT_EQ(w->selectedUnit(), "S09");
    EXPECT_TRUE(boxes.boxes.isEmpty());

    // The next button of word 199, as the learner would press it.
    QSignalSpy main(w->mainView(), &HtmlView::pageLoaded);
    w->webMain_BeforeNavigate2("NEXT:S09,w199");
    ASSERT_TRUE(WaitUntil([&] { return main.count() >= 1; }));
    EXPECT_TRUE(boxes.boxes.isEmpty());
    Js(w->mainView(), "document.querySelector(\"a[href^='cmd:NEXT']\").click();");
    ASSERT_TRUE(WaitUntil([&] { return main.count() >= 2; }));
    EXPECT_EQ(w->currentWord(), "w200");
    ASSERT_EQ(boxes.boxes.size(), 1);
    EXPECT_EQ(boxes.lastText(), "該範圍題目已全部結束，請由左方選取《聽音拼字練習》項目 ");
    EXPECT_EQ(Js(w->mainView(), "document.querySelectorAll(\"a[href^='cmd:NEXT']\").length").toInt(), 0);
}

TEST(ExerciseWindows, ClosingFadesOutAndUnloadsTheWindow)
{
    FixtureDataFolder data(fixture::kSchema);
    TraceLog trace;
    OpenExercise(4);
    QPointer<ExerciseWindow> w = ExerciseWindowFor(4);
    ASSERT_TRUE(w);
    EXPECT_TRUE(LoadedForms().contains(w.data()));
    // Each window exists once.
    EXPECT_EQ(ExerciseWindowFor(4), w.data());
    ASSERT_TRUE(WaitUntil([&] { return !w->fading(); }));

    auto* close = w->findChild<PictureButton*>("imgClose");
    ASSERT_TRUE(close);
    QTest::mouseClick(close, Qt::LeftButton);
    ASSERT_TRUE(WaitUntil([&] { return w.isNull(); }));
    EXPECT_NE(ExerciseWindowFor(4), nullptr);  // a later opening gets a fresh window
    QStringList states;
    for (const QJsonObject& o : trace.events("window"))
        if (o.value("name") == "frmExam4")
            states << o.value("state").toString();
    EXPECT_EQ(states.first(), "loaded");
    EXPECT_TRUE(states.contains("unloaded"));
    delete ExerciseWindowFor(4);
}

TEST(ExerciseWindows, TheMainWindowStepsAsideWhileAnExerciseIsOpen)
{
    FixtureDataFolder data(fixture::kSchema);
    TraceLog trace;
    // The fixture has no lessons: the main window says so with a message.
    qputenv("VARNELO_AUTO_ANSWER", "OK");
    RegisterExerciseWindows();
    frmMain* main = frmMain::Open();
    ASSERT_TRUE(main);
    ASSERT_TRUE(WaitUntil([&] { return main->isVisible() && !main->fading(); }));

    main->picMenu_Click(2);
    QPointer<ExerciseWindow> w = ExerciseWindowFor(2);
    ASSERT_TRUE(w);
    EXPECT_EQ(w->objectName(), "frmExam2");
    EXPECT_TRUE(w->isVisible());
    EXPECT_FALSE(main->isVisible());
    ASSERT_TRUE(WaitUntil([&] { return !w->fading(); }));

    QTest::mouseClick(w->findChild<PictureButton*>("imgClose"), Qt::LeftButton);
    ASSERT_TRUE(WaitUntil([&] { return w.isNull(); }));
    EXPECT_TRUE(main->isVisible());

    // The hand-over as the trace tells it: exercise shown, main hidden; at the
    // end of the fade-out main shown again, then the exercise unloaded.
    QStringList order;
    for (const QJsonObject& o : trace.events("window")) {
        const QString name = o.value("name").toString();
        if ((name == "frmMain" && o.value("state") != "loaded") || name == "frmExam2")
            order << name + ":" + o.value("state").toString();
    }
    const QStringList want = {"frmExam2:loaded", "frmExam2:shown", "frmMain:hidden", "frmMain:shown", "frmExam2:hidden",
                              "frmExam2:unloaded"};
    EXPECT_EQ(order.mid(order.indexOf("frmExam2:loaded")), want);
    QPointer<frmMain> gone(main);
    main->Unload();
    EXPECT_TRUE(WaitUntil([&] { return gone.isNull(); }));
    SetExerciseOpener(nullptr);
    qunsetenv("VARNELO_AUTO_ANSWER");
}

// The sound waits in the event loop inside the window's own command handler;
// the window is unloaded from that loop when its fade-out ends.
TEST(ExerciseWindows, ClosingWhileASoundPlays)
{
    FixtureDataFolder data(fixture::kSchema);
    if (!WritePlayableRecording("b_a", 3) || !WritePlayableRecording("cat", 3))
        GTEST_SKIP() << "sox and lame are needed to make a test recording";
    TraceLog trace;
    const auto soundEvent = [&](const QString& name, const QString& state) {
        for (const QJsonObject& o : trace.events("sound"))
            if (o.value("name") == name && o.value("state") == state)
                return o.value("t").toInteger();
        return qint64(-1);
    };
    // The test itself waits below the sound's own wait, so the close button
    // is pressed from a timer that runs inside it, as the learner's click would.
    struct CloseWhilePlaying {
        QTimer poll;
        qint64 clickedAt = -1;
        bool hiddenWhilePlaying = false;
        bool unloadedWhilePlaying = false;
    };
    const auto closeWhilePlaying = [&](ExerciseWindow* w, const QString& sound, CloseWhilePlaying& c) {
        c.poll.setInterval(20);
        QObject::connect(&c.poll, &QTimer::timeout, [&, w = QPointer<ExerciseWindow>(w), sound] {
            if (!w) {
                c.unloadedWhilePlaying = c.unloadedWhilePlaying || soundEvent(sound, "stopped") < 0;
                return;
            }
            if (c.clickedAt < 0 && soundEvent(sound, "play") >= 0) {
                c.clickedAt = QDateTime::currentMSecsSinceEpoch();
                QTest::mouseClick(w->findChild<PictureButton*>("imgClose"), Qt::LeftButton);
            } else if (c.clickedAt >= 0 && !w->isVisible() && soundEvent(sound, "stopped") < 0) {
                c.hiddenWhilePlaying = true;
            }
        });
        c.poll.start();
    };

    // Exercise 1 lets the item play to its end; the window leaves the screen
    // at the end of its fade-out and is unloaded once the handler that plays
    // the item has returned.
    OpenExercise(1);
    QPointer<ExerciseWindow> w1 = ExerciseWindowFor(1);
    ASSERT_TRUE(WaitUntil([&] { return Js(w1->selectView(), "document.querySelectorAll('td').length").toInt() > 0; }));
    ChooseUnit(w1, 0);
    CloseWhilePlaying c1;
    closeWhilePlaying(w1, "b_a", c1);
    Js(w1->mainView(), "document.querySelector(\"a[href='cmd:b_a']\").click();");
    ASSERT_TRUE(WaitUntil([&] { return w1.isNull(); }));
    c1.poll.stop();
    EXPECT_TRUE(c1.hiddenWhilePlaying);
    EXPECT_FALSE(c1.unloadedWhilePlaying);
    EXPECT_GE(soundEvent("b_a", "stopped") - soundEvent("b_a", "play"), 2500) << "the item was cut short";

    // Exercise 4 stops its word before fading out.
    OpenExercise(4);
    QPointer<ExerciseWindow> w4 = ExerciseWindowFor(4);
    ASSERT_TRUE(WaitUntil([&] { return Js(w4->selectView(), "document.querySelectorAll('td').length").toInt() > 0; }));
    CloseWhilePlaying c4;
    closeWhilePlaying(w4, "cat", c4);
    Js(w4->selectView(), "document.querySelector('td').click();");
    ASSERT_TRUE(WaitUntil([&] { return w4.isNull(); }));
    c4.poll.stop();
    ASSERT_GE(c4.clickedAt, 0);
    EXPECT_LT(soundEvent("cat", "stopped") - soundEvent("cat", "play"), 1500) << "the word played on after the close button";

    EXPECT_TRUE(QDir(data.tempFolder()).entryList({"vrn_sound*.mp3"}).isEmpty());
    for (QWidget* form : LoadedForms())
        EXPECT_FALSE(form->objectName().startsWith("frmExam")) << form->objectName().toStdString();
}
