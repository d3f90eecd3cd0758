#pragma once
#include "PictureButton.h"

#include <QPixmap>
#include <QPoint>
#include <QTimer>
#include <QWidget>

// Twips to pixels: the program's layout unit, 15 twips to the pixel at 96 dpi.
constexpr int Twips(int twips) { return twips / 15; }

// Centres a window on its screen.
void CenterForm(QWidget* form);
// Sets a window's opacity, 0 (invisible, still open) to 255. The colour key
// is the window's mask (see SkinnedWindow), so only the opacity is set here.
void SetFormAlpha(QWidget* form, int alpha);

// The base of every skinned window: frameless, sized by its background
// picture, see-through and click-through where the picture is magenta,
// fading in and out on a 10 ms timer, dragged by its background.
//
// A window sets its fade values and calls LoadForm(), then StartFadeIn and
// show(). closeForm() fades it out; at 0 FadeOutFinished() runs (by default
// the window unloads itself).
class SkinnedWindow : public QWidget {
    Q_OBJECT
public:
    // formName is the window's objectName ("frmMain"), as the trace names it.
    SkinnedWindow(const QString& formName, const QPixmap& background, QWidget* parent = nullptr);
    ~SkinnedWindow() override;

    // Registers the window among the loaded windows (trace "loaded").
    void LoadForm();
    // Removes it from the loaded windows (trace "unloaded"), closes it and
    // deletes it once control is back in the event loop.
    void Unload();

    // Fade set-up: AlphaTarget = target, AlphaStep = step, Alpha = 0, the
    // opacity set to 0 and the timer on.
    void StartFadeIn(int target, int step);
    // Fade-out: AlphaStep = -20 and the timer on (also during a fade-in).
    void closeForm();

    // Kept above ordinary windows. Call before the window is first shown.
    void SetTopmost(bool topmost);

    // The background picture; the window's size and mask follow it.
    void SetBackground(const QPixmap& background);
    QPixmap background() const { return m_background; }

    // Gives the hand pointer to every picture button and to every child
    // marked with MarkClickable.
    void SetMouseIconHand();
    static void MarkClickable(QWidget* child);

    // Puts every picture button of the window back to its normal picture.
    virtual void picButtonsResetImage();

    // The close button imgClose with the startup window's shared pictures,
    // fitted into geometry; its click calls imgClose_Click().
    PictureButton* MakeCloseButton(const QRect& geometry);

    qint16 alpha() const { return Alpha; }
    bool fading() const { return tmrTransparentForm.isActive(); }

signals:
    void fadeInFinished();
    // Emitted by Unload(), before the window is deleted.
    void unloaded();

protected:
    // What the window does when its fade-out reaches 0. Default: Unload().
    virtual void FadeOutFinished();
    // When the fade-in reaches AlphaTarget. Default: nothing beyond the signal.
    virtual void FadeInFinished();
    // The close button's action. Default: closeForm().
    virtual void imgClose_Click();

    // One fade step (the 10 ms timer's handler).
    void tmrTransparentForm_Timer();

    // Left button on the background starts a drag; moves over the background
    // reset the buttons.
    virtual void picBG_MouseDown(QMouseEvent* event);
    virtual void picBG_MouseMove(QMouseEvent* event);

    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

    qint16 Alpha = 0;
    qint16 AlphaStep = 0;
    qint16 AlphaTarget = 0;
    QTimer tmrTransparentForm;
    PictureButton* imgClose = nullptr;

private:
    QPixmap m_background;
    bool m_manualDrag = false;
    QPoint m_dragOffset;
};
