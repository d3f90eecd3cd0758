#pragma once
#include "ui/SkinnedWindow.h"

#include <QStringList>

class HtmlView;
class QLabel;

// The lesson browser and the program's home window: the main list (letter
// sets or sounds), the sub list of the selected entry, its rule page and its
// example words, the type button (by letter set / by sound), the vowel /
// consonant tab, the sound button and the menu of exercises, manual and exit.
//
// The views are rebuilt as a cascade: GetMainList -> GetSubList ->
// GetSubClickProc -> GetWords. A toggle enters it at the top, a main-list
// click at GetSubList, a sub-list click at GetSubClickProc.
class frmMain : public SkinnedWindow {
    Q_OBJECT
public:
    // The main window, or null when it is not loaded.
    static frmMain* Instance();
    // Loads and shows the main window (the last step of the startup), or
    // shows it again when it is loaded.
    static frmMain* Open();

    // An exercise window hides the main window while it is open and shows it
    // again when it closes; fields, lists and pages stay as they were.
    void ShowAgain();

    void Form_Load();
    void SetDefaultValue();
    void GetWordKey();
    void picButtonsResetImage() override;
    void QueryForCloseProc();

    void GetMainList();
    void GetSubList();
    bool CheckListWordFound(const QString& word, bool reset);
    void GetSubClickProc();
    void GetWords(const QString& key, const QString& first, const QString& second);

    void picMenu_Click(int index);
    void picTypeButton_Click();
    void imgFrameTabSelect_Click();
    void picBtnSoundPlay_Click();

    void webListMain_BeforeNavigate2(const QString& command);
    void webListSub_BeforeNavigate2(const QString& command);
    void webWords_BeforeNavigate2(const QString& command);

    // State, read by tests and by the exercise hand-over.
    qint16 listMode() const { return ListMode; }
    qint16 soundType() const { return SoundType; }
    QString wordKey() const { return WordKey; }
    QString mainValue() const { return MainValue; }
    qint16 subIndex() const { return SubIndex; }
    QString subValue() const { return SubValue; }
    QStringList mp3List() const { return lstMP3; }
    QStringList htmList() const { return lstHTM; }
    bool hoverLocked() const { return m_hoverLocked; }
    HtmlView* view(const QString& name) const;
    PictureButton* menuButton(int index) const { return picMenu[index]; }
    PictureButton* typeButton() const { return picTypeButton; }
    PictureButton* soundButton() const { return picBtnSoundPlay; }
    QWidget* tabSelect() const { return imgFrameTabSelect; }

    // The manual's address: WebSiteUrl + "_manuals/vrn/".
    static QString ManualUrl();

protected:
    void imgClose_Click() override;
    void FadeOutFinished() override;
    void picBG_MouseMove(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    frmMain();
    ~frmMain() override;
    void BuildControls();
    void SetHoverLock(bool locked);
    void WaitForMessageAnswer();

    QWidget* imgBackground = nullptr;
    QLabel* picFrameDesk = nullptr;
    HtmlView* webListMain = nullptr;
    HtmlView* webListSub = nullptr;
    HtmlView* webSoundRule = nullptr;
    HtmlView* webWords = nullptr;
    PictureButton* picMenu[6] = {};
    PictureButton* picTypeButton = nullptr;
    QLabel* picFrameTabCaption = nullptr;
    QLabel* picFrameTab = nullptr;
    QWidget* imgFrameTabSelect = nullptr;
    PictureButton* picBtnSoundPlay = nullptr;

    qint16 ListMode = 0;
    qint16 SoundType = 0;
    bool m_hoverLocked = false;
    QString WordKey;
    QString MainValue;
    qint16 SubIndex = 0;
    QString SubValue;
    QStringList lstTemp;
    QStringList lstMP3;
    QStringList lstHTM;
};
