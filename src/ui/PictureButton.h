#pragma once
#include <QPixmap>
#include <QWidget>

// A clickable picture with three states: 0 normal, 1 hover (mouse over),
// 2 pressed (mouse down); back to 0 on release or when the mouse leaves.
// It carries the hand pointer. A press released over the button clicks it.
class PictureButton : public QWidget {
    Q_OBJECT
public:
    PictureButton(const QPixmap& normal, const QPixmap& hover, const QPixmap& pressed, QWidget* parent);
    explicit PictureButton(QWidget* parent);

    void SetPictures(const QPixmap& normal, const QPixmap& hover, const QPixmap& pressed);
    // Shows picture 0, 1 or 2.
    void SetPicture(int index);
    int pictureIndex() const { return m_index; }
    QPixmap picture(int index) const { return m_pictures[qBound(0, index, 2)]; }

    // While locked, moving over the button shows no hover picture (the main
    // window locks its buttons after a click until it resets them).
    void SetHoverLocked(bool locked) { m_hoverLocked = locked; }

    QSize sizeHint() const override;

signals:
    void clicked();
    // Before the hover picture is shown: the message window resets its
    // other buttons here.
    void hovered();

protected:
    void paintEvent(QPaintEvent*) override;
    void enterEvent(QEnterEvent*) override;
    void leaveEvent(QEvent*) override;
    void mouseMoveEvent(QMouseEvent*) override;
    void mousePressEvent(QMouseEvent*) override;
    void mouseReleaseEvent(QMouseEvent*) override;

private:
    QPixmap m_pictures[3];
    int m_index = 0;
    bool m_pressed = false;
    bool m_hoverLocked = false;
};
