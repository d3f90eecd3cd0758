#include "PictureButton.h"

#include "SharedPictures.h"

#include <QMouseEvent>
#include <QPainter>

PictureButton::PictureButton(const QPixmap& normal, const QPixmap& hover, const QPixmap& pressed, QWidget* parent)
    : PictureButton(parent)
{
    SetPictures(normal, hover, pressed);
    resize(normal.size());
}

PictureButton::PictureButton(QWidget* parent)
    : QWidget(parent)
{
    setCursor(HandCursor());
    setMouseTracking(true);
    setAttribute(Qt::WA_Hover, false);
}

void PictureButton::SetPictures(const QPixmap& normal, const QPixmap& hover, const QPixmap& pressed)
{
    m_pictures[0] = normal;
    m_pictures[1] = hover;
    m_pictures[2] = pressed;
    update();
}

void PictureButton::SetPicture(int index)
{
    index = qBound(0, index, 2);
    if (index == m_index)
        return;
    m_index = index;
    update();
}

QSize PictureButton::sizeHint() const { return m_pictures[0].size(); }

void PictureButton::paintEvent(QPaintEvent*)
{
    const QPixmap& pm = m_pictures[m_index];
    if (pm.isNull())
        return;
    QPainter p(this);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    if (pm.size() == size()) {
        p.drawPixmap(0, 0, pm);
        return;
    }
    // A picture of another size is fitted in, centred, keeping its proportions.
    const QSize fitted = pm.size().scaled(size(), Qt::KeepAspectRatio);
    const QRect target(QPoint((width() - fitted.width()) / 2, (height() - fitted.height()) / 2), fitted);
    p.drawPixmap(target, pm);
}

void PictureButton::enterEvent(QEnterEvent*)
{
    if (!m_pressed && !m_hoverLocked) {
        emit hovered();
        SetPicture(1);
    }
}

void PictureButton::leaveEvent(QEvent*)
{
    if (!m_pressed)
        SetPicture(0);
}

void PictureButton::mouseMoveEvent(QMouseEvent* e)
{
    if (m_pressed || m_hoverLocked || m_index == 1) {
        e->accept();
        return;
    }
    emit hovered();
    SetPicture(1);
}

void PictureButton::mousePressEvent(QMouseEvent* e)
{
    if (e->button() != Qt::LeftButton) {
        e->accept();
        return;
    }
    m_pressed = true;
    SetPicture(2);
}

void PictureButton::mouseReleaseEvent(QMouseEvent* e)
{
    if (e->button() != Qt::LeftButton || !m_pressed) {
        e->accept();
        return;
    }
    m_pressed = false;
    SetPicture(0);
    if (rect().contains(e->position().toPoint()))
        emit clicked();
}
