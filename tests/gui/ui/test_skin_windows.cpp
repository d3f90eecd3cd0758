#include "app/AppValues.h"
#include "ui/SkinPictures.h"
#include "ui/SkinnedWindow.h"
#include "ui/frmMessage.h"

#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QProcess>
#include <QScreen>
#include <QStandardPaths>
#include <QTimer>
#include <QWindow>
#include "support/TestSupport.h"

#include <gtest/gtest.h>

// Under a real X server (xvfb-run). Set VARNELO_SCREENSHOTS to a folder to
// keep pictures of the windows for a look.

namespace {
bool waitUntil(const std::function<bool()>& pred, int timeoutMs = 5000) { return WaitUntil(pred, timeoutMs); }

void keep(const QPixmap& pm, const QString& name)
{
    const QString dir = qEnvironmentVariable("VARNELO_SCREENSHOTS");
    if (dir.isEmpty())
        return;
    QDir().mkpath(dir);
    pm.save(QDir(dir).filePath(name + QStringLiteral(".png")));
}

bool exposed(QWidget* w) { return w->windowHandle() && w->windowHandle()->isExposed(); }

class ClickRecorder : public QWidget {
public:
    using QWidget::QWidget;
    int presses = 0;

protected:
    void mousePressEvent(QMouseEvent* e) override
    {
        ++presses;
        e->accept();
    }
};

class TestWindow : public SkinnedWindow {
public:
    explicit TestWindow(const QPixmap& pm) : SkinnedWindow(QStringLiteral("frmTest"), pm) {}
    int presses = 0;

protected:
    void picBG_MouseDown(QMouseEvent*) override { ++presses; }
};

bool xclick(QPoint global)
{
    const QString xdotool = QStandardPaths::findExecutable(QStringLiteral("xdotool"));
    if (xdotool.isEmpty())
        return false;
    return QProcess::execute(xdotool, {QStringLiteral("mousemove"), QString::number(global.x()), QString::number(global.y()),
                                       QStringLiteral("click"), QStringLiteral("1")})
        == 0;
}
}

TEST(SkinWindows, MagentaAreasLetClicksThrough)
{
    if (QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty())
        GTEST_SKIP() << "xdotool is not installed";
    ClickRecorder behind;
    behind.setWindowFlag(Qt::FramelessWindowHint);
    behind.setGeometry(100, 100, 300, 200);
    behind.show();
    ASSERT_TRUE(waitUntil([&] { return exposed(&behind); }));

    QPixmap pm(200, 100);
    pm.fill(QColor(60, 140, 220));
    {
        QPainter p(&pm);
        p.fillRect(0, 0, 100, 100, QColor(255, 0, 255));
    }
    TestWindow skinned(pm);
    skinned.move(150, 150);
    skinned.show();
    ASSERT_TRUE(waitUntil([&] { return exposed(&skinned); }));
    QCoreApplication::processEvents();

    ASSERT_TRUE(xclick({170, 190}));  // magenta half
    ASSERT_TRUE(waitUntil([&] { return behind.presses == 1; })) << "the click went through to the window behind";
    EXPECT_EQ(skinned.presses, 0);

    ASSERT_TRUE(xclick({300, 190}));  // drawn half
    ASSERT_TRUE(waitUntil([&] { return skinned.presses == 1; }));
    EXPECT_EQ(behind.presses, 1);
}

TEST(SkinWindows, DraggedByItsBackground)
{
    const QString xdotool = QStandardPaths::findExecutable(QStringLiteral("xdotool"));
    if (xdotool.isEmpty())
        GTEST_SKIP() << "xdotool is not installed";
    QPixmap pm(200, 100);
    pm.fill(QColor(60, 140, 220));
    SkinnedWindow w(QStringLiteral("frmTest"), pm);
    w.move(200, 200);
    w.show();
    ASSERT_TRUE(waitUntil([&] { return exposed(&w); }));
    const QPoint start = w.pos();
    auto run = [&](const QStringList& args) { return QProcess::execute(xdotool, args) == 0; };
    ASSERT_TRUE(run({QStringLiteral("mousemove"), QStringLiteral("250"), QStringLiteral("250"), QStringLiteral("mousedown"),
                     QStringLiteral("1")}));
    ASSERT_TRUE(waitUntil([] { return QGuiApplication::mouseButtons() & Qt::LeftButton; }));
    ASSERT_TRUE(run({QStringLiteral("mousemove"), QStringLiteral("300"), QStringLiteral("280")}));
    ASSERT_TRUE(run({QStringLiteral("mousemove"), QStringLiteral("330"), QStringLiteral("290")}));
    ASSERT_TRUE(waitUntil([&] { return w.pos() == start + QPoint(80, 40); })) << w.pos().x() << "," << w.pos().y();
    ASSERT_TRUE(run({QStringLiteral("mouseup"), QStringLiteral("1")}));
    // Moving without the button afterwards leaves the window where it is.
    ASSERT_TRUE(run({QStringLiteral("mousemove"), QStringLiteral("350"), QStringLiteral("300")}));
    waitUntil([] { return false; }, 200);
    EXPECT_EQ(w.pos(), start + QPoint(80, 40));
}

TEST(SkinWindows, MessageWindowLooks)
{
    QPixmap question;
    bool centred = false;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        frmMessage* w = frmMessage::Instance();
        if (!w || !w->isVisible() || w->fading() || !exposed(w))
            return;
        poll.stop();
        question = w->grab();
        const QRect screen = w->screen()->geometry();
        centred = qAbs(w->geometry().center().x() - screen.center().x()) <= 1
            && qAbs(w->geometry().center().y() - screen.center().y()) <= 1;
        w->cmdCancel_Click();
    });
    poll.start(10);
    frmMessage::MessageBox(QStringLiteral("40"), 2, QStringLiteral("OK_CANCEL"), QStringLiteral("2"));
    ASSERT_FALSE(question.isNull());
    EXPECT_EQ(question.size(), QSize(399, 167));
    EXPECT_TRUE(centred);
    EXPECT_EQ(MessageAnswer, QStringLiteral("CANCEL"));
    keep(question, QStringLiteral("message-40"));

    frmMessage::ProgressMsgBox(QStringLiteral("3001"), 0, QString(), QStringLiteral("0"));
    frmMessage* w = frmMessage::Instance();
    ASSERT_TRUE(w);
    ASSERT_TRUE(waitUntil([&] { return exposed(w); }));
    // Let the highlight travel a little.
    waitUntil([&] { return w->progressFlashLeftTwips() > 2000; });
    const QPixmap progress = w->grab();
    EXPECT_EQ(progress.size(), QSize(399, 167));
    keep(progress, QStringLiteral("progress-3001"));
    frmMessage::UnloadMessage();
}

TEST(SkinWindows, Backgrounds)
{
    if (qEnvironmentVariable("VARNELO_SCREENSHOTS").isEmpty())
        GTEST_SKIP() << "only writes pictures for a look";
    for (const QString& name : SkinPictureNames()) {
        QString file = name;
        keep(SkinPicture(name), QStringLiteral("art-") + file.replace(QLatin1Char('/'), QLatin1Char('-')));
    }
}
