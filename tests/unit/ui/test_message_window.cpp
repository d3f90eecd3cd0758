#include "app/AppValues.h"
#include "app/Forms.h"
#include "app/Trace.h"
#include "ui/frmMessage.h"

#include <QApplication>
#include <QEventLoop>
#include <QFile>
#include <QJsonObject>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QTimer>
#include "support/TestSupport.h"

#include <gtest/gtest.h>

namespace {
bool waitUntil(const std::function<bool()>& pred, int timeoutMs = 5000) { return WaitUntil(pred, timeoutMs); }

void click(QWidget* w)
{
    const QPoint c = w->rect().center();
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(c), QPointF(w->mapToGlobal(c)), Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(w, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(c), QPointF(w->mapToGlobal(c)), Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(w, &release);
}

// What the open message window shows, read while MessageBox waits.
struct Seen {
    QString caption, text;
    bool ok = false, cancel = false;
    int okX = -1, cancelX = -1;
    bool topmost = false;
};

// Shows a message, reads the window once its fade-in is over, presses a
// button (true: cmdOK) and returns what was seen.
Seen showAndPress(const char* id, qint16 icon, const char* buttons, const char* caption, bool pressOk)
{
    Seen seen;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        frmMessage* w = frmMessage::Instance();
        if (!w || !w->isVisible() || w->fading() || w->alpha() != 240)
            return;
        poll.stop();
        seen.caption = w->captionText();
        seen.text = w->messageText();
        seen.ok = w->okButton()->isVisible();
        seen.cancel = w->cancelButton()->isVisible();
        seen.okX = w->okButton()->x();
        seen.cancelX = w->cancelButton()->x();
        seen.topmost = w->windowFlags() & Qt::WindowStaysOnTopHint;
        click(pressOk || !seen.cancel ? w->okButton() : w->cancelButton());
    });
    poll.start(5);
    QTimer failsafe;
    failsafe.setSingleShot(true);
    QObject::connect(&failsafe, &QTimer::timeout, [] {
        if (frmMessage::Instance())
            frmMessage::UnloadMessage();
    });
    failsafe.start(10000);
    frmMessage::MessageBox(QString::fromLatin1(id), icon, QString::fromLatin1(buttons), QString::fromLatin1(caption));
    return seen;
}
}

TEST(MessageWindow, QuestionWithTwoButtons)
{
    const Seen seen = showAndPress("40", 2, "OK_CANCEL", "2", false);
    EXPECT_EQ(seen.caption, QStringLiteral("詢問"));
    EXPECT_EQ(seen.text, QStringLiteral("\r\n您確定要離開本程式嗎?"));
    EXPECT_TRUE(seen.ok && seen.cancel);
    EXPECT_EQ(seen.okX, 82);       // 1242 twips
    EXPECT_EQ(seen.cancelX, 206);  // 3092 twips
    EXPECT_TRUE(seen.topmost);
    EXPECT_EQ(MessageAnswer, QStringLiteral("CANCEL"));
    // MessageBox returned only once the window had faded out and unloaded.
    EXPECT_EQ(frmMessage::Instance() && frmMessage::Instance()->isVisible(), false);
    EXPECT_TRUE(std::none_of(LoadedForms().begin(), LoadedForms().end(),
                             [](QWidget* w) { return w->objectName() == QLatin1String("frmMessage"); }));
}

TEST(MessageWindow, AnswersPerButtonSet)
{
    struct Case {
        const char* buttons;
        bool pressOk;
        const char* answer;
    };
    const Case cases[] = {
        {"OK_CANCEL", true, "OK"}, {"YES_NO", true, "YES"}, {"YES_NO", false, "NO"}, {"OK", true, "OK"},
    };
    for (const Case& c : cases) {
        const Seen seen = showAndPress("47", 2, c.buttons, "3", c.pressOk);
        EXPECT_EQ(MessageAnswer, QString::fromLatin1(c.answer)) << c.buttons;
        EXPECT_EQ(seen.caption, QStringLiteral("軟體更新"));
        EXPECT_FALSE(seen.text.startsWith(QStringLiteral("\r\n"))) << "long enough to start on the first line";
    }
    const Seen single = showAndPress("1", 1, "OK", "1", true);
    EXPECT_TRUE(single.ok);
    EXPECT_FALSE(single.cancel);
    EXPECT_EQ(single.okX, 144);  // (5985 - 1650) / 2 twips
}

TEST(MessageWindow, UnknownMessageStillShowsItsButtons)
{
    MessageSubject = QStringLiteral("相關例字");
    Seen seen = showAndPress("9001", 1, "OK", "1", true);
    EXPECT_EQ(seen.text, QStringLiteral("\r\n找不到相關例字資料！"));
    seen = showAndPress("12345", 0, "OK_CANCEL", "9", true);
    EXPECT_EQ(seen.text, QStringLiteral("\r\n"));
    EXPECT_EQ(seen.caption, QString());
    EXPECT_TRUE(seen.ok && seen.cancel);
    EXPECT_EQ(MessageAnswer, QStringLiteral("OK"));
}

TEST(MessageWindow, ProgressBoxReturnsAtOnce)
{
    frmMessage::ProgressMsgBox(QStringLiteral("3001"), 0, QString(), QStringLiteral("0"));
    EXPECT_EQ(MessageAnswer, QStringLiteral("OK"));
    frmMessage* w = frmMessage::Instance();
    ASSERT_TRUE(w);
    EXPECT_TRUE(w->isVisible());
    EXPECT_TRUE(w->progressShown());
    EXPECT_FALSE(w->okButton()->isVisible() || w->cancelButton()->isVisible());
    EXPECT_EQ(w->alpha(), 240) << "shown at once, without fading in";
    EXPECT_EQ(w->captionText(), QStringLiteral("請稍候"));
    EXPECT_EQ(w->messageText(), QStringLiteral("\r\n正在檢查與建立必要組件資料中...."));  // 18 characters

    const int start = w->progressFlashLeftTwips();
    ASSERT_TRUE(waitUntil([&] { return w->progressFlashLeftTwips() != start; }));

    // A second call re-fills the same window.
    frmMessage::ProgressMsgBox(QStringLiteral("3007"), 0, QString(), QStringLiteral("1"));
    EXPECT_EQ(frmMessage::Instance(), w);
    EXPECT_EQ(w->captionText(), QString());

    QPointer<frmMessage> guard(w);
    frmMessage::UnloadMessage();
    EXPECT_EQ(frmMessage::Instance(), nullptr);
    EXPECT_TRUE(waitUntil([&] { return guard.isNull(); }));
}

TEST(MessageWindow, AutoAnswerAndTrace)
{
    QTemporaryDir dir;
    const QString tracePath = dir.filePath(QStringLiteral("trace.jsonl"));
    Trace::openForTest(tracePath);
    qputenv("VARNELO_AUTO_ANSWER", "CANCEL");
    frmMessage::MessageBox(QStringLiteral("40"), 2, QStringLiteral("OK_CANCEL"), QStringLiteral("2"));
    qunsetenv("VARNELO_AUTO_ANSWER");
    Trace::openForTest(QString());
    EXPECT_EQ(MessageAnswer, QStringLiteral("CANCEL"));

    ASSERT_TRUE(QFile::exists(tracePath));
    const QList<QJsonObject> events = TraceEvents(tracePath);
    auto find = [&](const char* ev) {
        for (const QJsonObject& o : events)
            if (o.value(QStringLiteral("ev")).toString() == QLatin1String(ev))
                return o;
        return QJsonObject();
    };
    const QJsonObject message = find("message");
    EXPECT_EQ(message.value(QStringLiteral("mode")).toString(), QStringLiteral("box"));
    EXPECT_EQ(message.value(QStringLiteral("id")).toString(), QStringLiteral("40"));
    EXPECT_EQ(message.value(QStringLiteral("icon")).toInt(), 2);
    EXPECT_EQ(message.value(QStringLiteral("buttons")).toString(), QStringLiteral("OK_CANCEL"));
    EXPECT_EQ(message.value(QStringLiteral("caption")).toString(), QStringLiteral("2"));
    EXPECT_EQ(message.value(QStringLiteral("captionText")).toString(), QStringLiteral("詢問"));
    EXPECT_EQ(message.value(QStringLiteral("text")).toString(), QStringLiteral("\r\n您確定要離開本程式嗎?"));
    EXPECT_EQ(find("answer").value(QStringLiteral("value")).toString(), QStringLiteral("CANCEL"));
    QStringList states;
    for (const QJsonObject& o : events)
        if (o.value(QStringLiteral("ev")).toString() == QLatin1String("window"))
            states << o.value(QStringLiteral("state")).toString();
    EXPECT_EQ(states, (QStringList{QStringLiteral("loaded"), QStringLiteral("shown"), QStringLiteral("hidden"), QStringLiteral("unloaded")}));
}
