#include "app/Forms.h"
#include "ui/SkinPictures.h"
#include "ui/SkinnedWindow.h"

#include <QApplication>
#include <QEventLoop>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>
#include "support/TestSupport.h"

#include <gtest/gtest.h>

namespace {
bool waitUntil(const std::function<bool()>& pred, int timeoutMs = 5000) { return WaitUntil(pred, timeoutMs); }

// A 100 x 80 picture whose right quarter is the see-through colour.
QPixmap keyedPicture()
{
    QPixmap pm(100, 80);
    pm.fill(QColor(40, 120, 200));
    QPainter p(&pm);
    p.fillRect(75, 0, 25, 80, QColor(255, 0, 255));
    return pm;
}

class TestWindow : public SkinnedWindow {
public:
    TestWindow() : SkinnedWindow(QStringLiteral("frmTest"), keyedPicture()) {}
    int fadeIns = 0;
    int fadeOuts = 0;
    using SkinnedWindow::Alpha;
    using SkinnedWindow::AlphaStep;

protected:
    void FadeInFinished() override { ++fadeIns; }
    void FadeOutFinished() override
    {
        ++fadeOuts;
        SkinnedWindow::FadeOutFinished();
    }
};

void sendMouse(QWidget* w, QEvent::Type type, QPoint local, Qt::MouseButton button, Qt::MouseButtons buttons)
{
    QMouseEvent e(type, QPointF(local), QPointF(w->mapToGlobal(local)), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}
}

TEST(SkinnedWindow, TakesItsPictureSizeAndSeesThroughMagenta)
{
    TestWindow w;
    EXPECT_EQ(w.size(), QSize(100, 80));
    EXPECT_TRUE(w.mask().contains(QPoint(10, 10)));
    EXPECT_TRUE(w.mask().contains(QPoint(74, 79)));
    EXPECT_FALSE(w.mask().contains(QPoint(75, 0)));
    EXPECT_FALSE(w.mask().contains(QPoint(99, 40)));
    EXPECT_TRUE(w.windowFlags() & Qt::FramelessWindowHint);
}

TEST(SkinnedWindow, FadesInThenOutAndUnloads)
{
    auto* w = new TestWindow;
    QPointer<TestWindow> guard(w);
    w->LoadForm();
    EXPECT_TRUE(LoadedForms().contains(w));
    w->StartFadeIn(255, 30);
    w->show();
    ASSERT_TRUE(waitUntil([&] { return !w->fading(); }));
    EXPECT_EQ(w->alpha(), 255);
    EXPECT_EQ(w->fadeIns, 1);
    EXPECT_DOUBLE_EQ(w->windowOpacity(), 1.0);

    bool unloaded = false;
    QObject::connect(w, &SkinnedWindow::unloaded, [&] { unloaded = true; });
    w->closeForm();
    ASSERT_TRUE(waitUntil([&] { return unloaded; }));
    EXPECT_EQ(w->fadeOuts, 1);
    EXPECT_FALSE(LoadedForms().contains(w));
    EXPECT_TRUE(waitUntil([&] { return guard.isNull(); })) << "deleted once back in the event loop";
}

TEST(SkinnedWindow, CloseDuringFadeInFallsFromTheReachedOpacity)
{
    auto* w = new TestWindow;
    w->LoadForm();
    w->StartFadeIn(255, 30);
    w->show();
    ASSERT_TRUE(waitUntil([&] { return w->alpha() >= 90; }));
    const qint16 reached = w->alpha();
    ASSERT_LT(reached, 255);
    bool unloaded = false;
    QObject::connect(w, &SkinnedWindow::unloaded, [&] { unloaded = true; });
    w->closeForm();
    ASSERT_TRUE(waitUntil([&] { return unloaded; }));
    EXPECT_EQ(w->fadeIns, 0) << "the fade-in never completed";
    EXPECT_EQ(w->fadeOuts, 1);
}

TEST(SkinnedWindow, DraggedByTheLeftButtonOnly)
{
    TestWindow w;
    w.move(100, 100);
    w.show();
    const QPoint start = w.pos();

    sendMouse(&w, QEvent::MouseButtonPress, {10, 10}, Qt::RightButton, Qt::RightButton);
    sendMouse(&w, QEvent::MouseMove, {50, 40}, Qt::NoButton, Qt::RightButton);
    sendMouse(&w, QEvent::MouseButtonRelease, {50, 40}, Qt::RightButton, Qt::NoButton);
    EXPECT_EQ(w.pos(), start);

    // Without a window manager (offscreen) the window follows the mouse itself.
    sendMouse(&w, QEvent::MouseButtonPress, {10, 10}, Qt::LeftButton, Qt::LeftButton);
    sendMouse(&w, QEvent::MouseMove, {50, 40}, Qt::NoButton, Qt::LeftButton);
    sendMouse(&w, QEvent::MouseButtonRelease, {50, 40}, Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(w.pos(), start + QPoint(40, 30));
}

TEST(PictureButton, PicturesFollowTheMouse)
{
    QWidget host;
    QPixmap a(20, 10), b(20, 10), c(20, 10);
    auto* button = new PictureButton(a, b, c, &host);
    int clicks = 0;
    QObject::connect(button, &PictureButton::clicked, [&] { ++clicks; });
    host.show();

    sendMouse(button, QEvent::MouseMove, {5, 5}, Qt::NoButton, Qt::NoButton);
    EXPECT_EQ(button->pictureIndex(), 1);
    sendMouse(button, QEvent::MouseButtonPress, {5, 5}, Qt::LeftButton, Qt::LeftButton);
    EXPECT_EQ(button->pictureIndex(), 2);
    sendMouse(button, QEvent::MouseButtonRelease, {5, 5}, Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(button->pictureIndex(), 0);
    EXPECT_EQ(clicks, 1);

    // Released outside: no click.
    sendMouse(button, QEvent::MouseButtonPress, {5, 5}, Qt::LeftButton, Qt::LeftButton);
    sendMouse(button, QEvent::MouseButtonRelease, {50, 50}, Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(clicks, 1);
    // The right button does nothing.
    sendMouse(button, QEvent::MouseButtonPress, {5, 5}, Qt::RightButton, Qt::RightButton);
    sendMouse(button, QEvent::MouseButtonRelease, {5, 5}, Qt::RightButton, Qt::NoButton);
    EXPECT_EQ(clicks, 1);

    button->SetHoverLocked(true);
    sendMouse(button, QEvent::MouseMove, {6, 6}, Qt::NoButton, Qt::NoButton);
    EXPECT_EQ(button->pictureIndex(), 0);
}

TEST(SkinnedWindow, Twips)
{
    EXPECT_EQ(Twips(5985), 399);
    EXPECT_EQ(Twips(1650), 110);
    EXPECT_EQ(Twips(-10000), -666);
    EXPECT_EQ(Twips(14), 0);
}

TEST(SkinPictures, EveryNamedPictureHasItsSize)
{
    QMap<QString, QSize> expected = {
        {QStringLiteral("main/background"), {1004, 724}},  {QStringLiteral("exam1/background"), {1004, 724}},
        {QStringLiteral("exam2/background"), {1004, 724}}, {QStringLiteral("exam3/background"), {1004, 724}},
        {QStringLiteral("exam4/background"), {1004, 724}}, {QStringLiteral("message/background"), {399, 167}},
        {QStringLiteral("splash/background"), {414, 304}}, {QStringLiteral("publisher/background"), {414, 304}},
        {QStringLiteral("download/background"), {414, 170}}, {QStringLiteral("hand"), {32, 32}},
        {QStringLiteral("progress/frame"), {350, 15}},     {QStringLiteral("progress/track"), {348, 13}},
        {QStringLiteral("progress/fill"), {348, 13}},      {QStringLiteral("progress/flash"), {81, 13}},
        {QStringLiteral("main/desk"), {253, 386}},
    };
    for (int s = 0; s < 3; ++s) {
        expected.insert(QStringLiteral("exit/%1").arg(s), {48, 48});
        expected.insert(QStringLiteral("message/icon%1").arg(s), {31, 30});
        expected.insert(QStringLiteral("message/ok%1").arg(s), {110, 28});
        expected.insert(QStringLiteral("message/cancel%1").arg(s), {110, 28});
        expected.insert(QStringLiteral("main/sound%1").arg(s), {178, 60});
        for (int i = 0; i < 6; ++i)
            expected.insert(QStringLiteral("main/menu%1_%2").arg(i).arg(s), {48, 48});
        for (int m = 0; m < 2; ++m)
            expected.insert(QStringLiteral("main/type%1_%2").arg(m).arg(s), {204, 61});
    }
    for (int t = 0; t < 2; ++t) {
        expected.insert(QStringLiteral("main/tab%1").arg(t), {253, 46});
        expected.insert(QStringLiteral("main/tabcaption%1").arg(t), {192, 27});
    }
    for (auto it = expected.cbegin(); it != expected.cend(); ++it)
        EXPECT_EQ(SkinPicture(it.key()).size(), it.value()) << it.key().toStdString();
    EXPECT_EQ(SkinPictureNames(), QStringList(expected.keys())) << "every picture is documented";
    EXPECT_TRUE(SkinPicture(QStringLiteral("no/such")).isNull());
}

TEST(SkinPictures, OnlyLayeredWindowsHaveSeeThroughCorners)
{
    for (const char* name : {"main/background", "exam1/background", "exam4/background", "message/background",
                             "splash/background", "download/background"}) {
        const QImage img = SkinPicture(QString::fromLatin1(name)).toImage();
        EXPECT_EQ(img.pixelColor(0, 0), QColor(255, 0, 255)) << name;
        EXPECT_NE(img.pixelColor(img.width() / 2, img.height() / 2), QColor(255, 0, 255)) << name;
    }
    // The publisher window is not layered: no colour key anywhere.
    const QImage publisher = SkinPicture(QStringLiteral("publisher/background")).toImage();
    bool anyKey = false;
    for (int y = 0; y < publisher.height() && !anyKey; ++y)
        for (int x = 0; x < publisher.width() && !anyKey; ++x)
            anyKey = publisher.pixelColor(x, y) == QColor(255, 0, 255);
    EXPECT_FALSE(anyKey);
}
