#pragma once
#include "SkinnedWindow.h"

#include <QLabel>
#include <QTimer>

// The one message window of the program. Callers pass identifiers, never
// texts: the window looks the message and caption up in its catalogue.
//
// Protocol: set MessageSubject first for "9001"; call MessageBox; it returns
// once a button was pressed and the window has faded out, with the answer in
// MessageAnswer ("OK", "CANCEL", "YES", "NO"). For work that takes a while:
// ProgressMsgBox, do the work (letting events run), then UnloadMessage.
//
// Test hook: when VARNELO_AUTO_ANSWER is set ("OK", "CANCEL", "YES", "NO"),
// MessageBox shows and traces the message as usual, then presses, once the
// fade-in is over, the button that gives that answer.
class frmMessage : public SkinnedWindow {
    Q_OBJECT
public:
    // Modal message: icon 0..2, buttons "OK", "OK_CANCEL" or "YES_NO",
    // caption id "0".."3".
    static void MessageBox(const QString& id, qint16 icon, const QString& buttons, const QString& captionId);
    // Please-wait box with a moving highlight; returns at once with
    // MessageAnswer "OK". The buttons argument is not used.
    static void ProgressMsgBox(const QString& id, qint16 icon, const QString& buttons, const QString& captionId);
    // Unloads the window at once, without fading (the end of a progress box).
    static void UnloadMessage();
    // The loaded message window, or null.
    static frmMessage* Instance();

    // The window's parts, for tests and screenshots.
    QString captionText() const { return lblCaption->text(); }
    QString messageText() const { return lblMessage->text(); }
    PictureButton* okButton() const { return cmdOK; }
    PictureButton* cancelButton() const { return cmdCancel; }
    bool progressShown() const { return picProgress->isVisible(); }
    int progressFlashLeftTwips() const { return m_flashLeftTwips; }

    // Both buttons back to their normal pictures.
    void ReleaseImage();
    void picButtonsResetImage() override { ReleaseImage(); }

    void cmdOK_Click();
    void cmdCancel_Click();

protected:
    void FadeInFinished() override;
    void picBG_MouseMove(QMouseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    frmMessage();
    ~frmMessage() override;
    static frmMessage* LoadMessageWindow();
    void Prepare(const QString& text, const QString& caption, qint16 icon);
    void tmrProgressFlash_Timer();
    void pressAutoAnswer();

    QLabel* lblCaption = nullptr;
    QLabel* lblMessage = nullptr;
    QLabel* imgIcon = nullptr;
    PictureButton* cmdOK = nullptr;
    PictureButton* cmdCancel = nullptr;
    QLabel* picProgress = nullptr;
    QLabel* picProgressInner = nullptr;
    QLabel* imgProgressFlash = nullptr;
    QTimer tmrProgressFlash;

    QString m_buttons;
    bool ShowAtOnce = false;
    int m_flashLeftTwips = 30;
};
