#include "SkinnedWindow.h"

#include "FadeRule.h"
#include "SharedPictures.h"
#include "app/Forms.h"
#include "app/Trace.h"

#include <QBitmap>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QWindow>

namespace {
const QColor kColourKey(255, 0, 255);
const char* const kClickable = "varneloClickable";
}

void CenterForm(QWidget* form)
{
    if (!form)
        return;
    const QScreen* screen = form->screen() ? form->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->geometry();
    form->move(area.left() + (area.width() - form->width()) / 2, area.top() + (area.height() - form->height()) / 2);
}

void SetFormAlpha(QWidget* form, int alpha)
{
    if (form)
        form->setWindowOpacity(qBound(0, alpha, 255) / 255.0);
}

SkinnedWindow::SkinnedWindow(const QString& formName, const QPixmap& background, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint)
{
    setObjectName(formName);
    setAttribute(Qt::WA_DeleteOnClose, false);
    setMouseTracking(true);
    tmrTransparentForm.setInterval(10);
    connect(&tmrTransparentForm, &QTimer::timeout, this, &SkinnedWindow::tmrTransparentForm_Timer);
    SetBackground(background);
}

SkinnedWindow::~SkinnedWindow()
{
    // A window deleted without Unload (its owner went first) leaves the collection too.
    UnregisterForm(this);
}

void SkinnedWindow::SetBackground(const QPixmap& background)
{
    m_background = background;
    if (background.isNull())
        return;
    setFixedSize(background.size());
    // The colour key: magenta pixels are neither drawn nor hit.
    const QBitmap mask = background.createMaskFromColor(kColourKey, Qt::MaskInColor);
    const QImage m = mask.toImage();
    bool anyKey = false;
    for (int y = 0; y < m.height() && !anyKey; ++y)
        for (int x = 0; x < m.width() && !anyKey; ++x)
            anyKey = m.pixelIndex(x, y) == 0;
    if (anyKey)
        setMask(mask);
    else
        clearMask();
    update();
}

void SkinnedWindow::LoadForm() { RegisterForm(this); }

void SkinnedWindow::Unload()
{
    tmrTransparentForm.stop();
    hide();
    emit unloaded();
    UnloadForm(this);
}

void SkinnedWindow::StartFadeIn(int target, int step)
{
    AlphaTarget = qint16(target);
    AlphaStep = qint16(step);
    Alpha = 0;
    SetFormAlpha(this, 0);
    tmrTransparentForm.start();
}

void SkinnedWindow::closeForm()
{
    AlphaStep = -20;
    tmrTransparentForm.start();
}

void SkinnedWindow::SetTopmost(bool topmost)
{
    setWindowFlag(Qt::WindowStaysOnTopHint, topmost);
}

void SkinnedWindow::MarkClickable(QWidget* child)
{
    if (child)
        child->setProperty(kClickable, true);
}

void SkinnedWindow::SetMouseIconHand()
{
    const QCursor hand = HandCursor();
    for (PictureButton* b : findChildren<PictureButton*>())
        b->setCursor(hand);
    for (QWidget* w : findChildren<QWidget*>())
        if (w->property(kClickable).toBool())
            w->setCursor(hand);
}

void SkinnedWindow::picButtonsResetImage()
{
    for (PictureButton* b : findChildren<PictureButton*>())
        b->SetPicture(0);
}

PictureButton* SkinnedWindow::MakeCloseButton(const QRect& geometry)
{
    if (!imgClose) {
        imgClose = new PictureButton(ExitPicture(0), ExitPicture(1), ExitPicture(2), this);
        imgClose->setObjectName(QStringLiteral("imgClose"));
        imgClose->setToolTip(QStringLiteral("關閉"));
        connect(imgClose, &PictureButton::clicked, this, [this] { imgClose_Click(); });
    }
    imgClose->setGeometry(geometry);
    return imgClose;
}

void SkinnedWindow::FadeOutFinished() { Unload(); }

void SkinnedWindow::FadeInFinished() {}

void SkinnedWindow::imgClose_Click() { closeForm(); }

void SkinnedWindow::tmrTransparentForm_Timer()
{
    const FadeTickResult r = FadeTick(Alpha, AlphaStep, AlphaTarget);
    Alpha = r.alpha;
    if (!r.timerOn)
        tmrTransparentForm.stop();
    if (r.applyOpacity)
        SetFormAlpha(this, Alpha);
    if (r.fadeInDone) {
        FadeInFinished();
        emit fadeInFinished();
    }
    if (r.fadeOutDone)
        FadeOutFinished();
}

void SkinnedWindow::picBG_MouseDown(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    // The window manager moves the window as if its title bar were dragged;
    // without one (a bare X server) the window follows the mouse itself.
    QWindow* handle = windowHandle();
    if (handle && handle->startSystemMove())
        return;
    m_manualDrag = true;
    m_dragOffset = event->globalPosition().toPoint() - frameGeometry().topLeft();
    grabMouse();
}

void SkinnedWindow::picBG_MouseMove(QMouseEvent*)
{
    if (imgClose)
        imgClose->SetPicture(0);
}

void SkinnedWindow::paintEvent(QPaintEvent*)
{
    if (m_background.isNull())
        return;
    QPainter p(this);
    p.drawPixmap(0, 0, m_background);
}

void SkinnedWindow::mousePressEvent(QMouseEvent* event)
{
    picBG_MouseDown(event);
    event->accept();
}

void SkinnedWindow::mouseMoveEvent(QMouseEvent* event)
{
    if (m_manualDrag) {
        move(event->globalPosition().toPoint() - m_dragOffset);
        event->accept();
        return;
    }
    picBG_MouseMove(event);
    event->accept();
}

void SkinnedWindow::mouseReleaseEvent(QMouseEvent* event)
{
    if (m_manualDrag && event->button() == Qt::LeftButton) {
        m_manualDrag = false;
        releaseMouse();
    }
    event->accept();
}

void SkinnedWindow::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (!event->spontaneous())
        Trace::window(objectName(), QStringLiteral("shown"));
}

void SkinnedWindow::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    if (!event->spontaneous())
        Trace::window(objectName(), QStringLiteral("hidden"));
}
