#include "frmMain.h"

#include "ExerciseLauncher.h"
#include "RulePage.h"
#include "SoundLists.h"
#include "WordTable.h"
#include "app/AppValues.h"
#include "app/ExitProgram.h"
#include "app/Forms.h"
#include "app/OpenUrlInBrowser.h"
#include "audio/frmMediaPlayer.h"
#include "ui/HtmlView.h"
#include "ui/SkinPictures.h"
#include "ui/frmMessage.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPointer>

namespace {
QPointer<frmMain> g_main;

const char* const kMenuTips[6] = {"結束離開", "拼音跟讀練習", "例字跟讀練習", "音標認讀練習", "聽音拼字練習", "使用說明"};

// Layout in window pixels.
const QRect kBackgroundArea(40, 124, 927, 567);
const QRect kFrameDesk(60, 272, 253, 386);
const QRect kFrameTab(60, 226, 253, 46);
const QRect kFrameTabSelect(68, 238, 99, 33);
const QRect kFrameTabCaption(90, 288, 192, 27);
const QRect kTypeButton(64, 142, 204, 61);
const QRect kSoundButton(100, 576, 178, 60);
const QRect kListMain(88, 322, 87, 239);
const QRect kListSub(200, 322, 87, 239);
const QRect kSoundRule(366, 194, 555, 137);
const QRect kWords(366, 394, 555, 251);
const QRect kClose(958, 12, 32, 25);
// Menu buttons from left to right: entries 1 to 5, then the exit entry 0.
constexpr int kMenuLeft[6] = {906, 636, 692, 746, 798, 852};
constexpr int kMenuTop = 104;
constexpr int kMenuSize = 48;

QPixmap Pic(const QString& name) { return SkinPicture(name); }

QPixmap PicState(const QString& stem, int state) { return Pic(stem + QLatin1Char('_') + QString::number(state)); }

// A decoration of the skin: drawn, but the mouse goes through it to the window.
QLabel* Decoration(QWidget* parent, const QString& name, const QRect& geometry)
{
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setGeometry(geometry);
    label->setAttribute(Qt::WA_TransparentForMouseEvents);
    return label;
}
}

frmMain* frmMain::Instance() { return g_main; }

frmMain* frmMain::Open()
{
    if (g_main) {
        g_main->ShowAgain();
        return g_main;
    }
    auto* form = new frmMain;
    form->Form_Load();
    return form;
}

QString frmMain::ManualUrl() { return App().WebSiteUrl + QStringLiteral("_manuals/vrn/"); }

frmMain::frmMain()
    : SkinnedWindow(QStringLiteral("frmMain"), Pic(QStringLiteral("main/background")))
{
    g_main = this;
    setWindowTitle(QStringLiteral("Varnelo 2"));
    BuildControls();
}

frmMain::~frmMain() = default;

void frmMain::BuildControls()
{
    // Made in z-order: the areas behind first, then what lies on them.
    imgBackground = new QWidget(this);
    imgBackground->setObjectName(QStringLiteral("imgBackground"));
    imgBackground->setGeometry(kBackgroundArea);
    imgBackground->setAttribute(Qt::WA_TransparentForMouseEvents);

    picFrameDesk = Decoration(this, QStringLiteral("picFrameDesk"), kFrameDesk);
    picFrameDesk->setPixmap(Pic(QStringLiteral("main/desk")));

    picFrameTab = new QLabel(this);
    picFrameTab->setObjectName(QStringLiteral("picFrameTab"));
    picFrameTab->setGeometry(kFrameTab);
    MarkClickable(picFrameTab);
    auto* tabSelect = new PictureButton(picFrameTab);
    tabSelect->setObjectName(QStringLiteral("imgFrameTabSelect"));
    tabSelect->setGeometry(kFrameTabSelect.translated(-kFrameTab.topLeft()));
    connect(tabSelect, &PictureButton::clicked, this, &frmMain::imgFrameTabSelect_Click);
    imgFrameTabSelect = tabSelect;

    picFrameTabCaption = Decoration(this, QStringLiteral("picFrameTabCaption"), kFrameTabCaption);

    picTypeButton = new PictureButton(this);
    picTypeButton->setObjectName(QStringLiteral("picTypeButton"));
    picTypeButton->setGeometry(kTypeButton);
    connect(picTypeButton, &PictureButton::clicked, this, &frmMain::picTypeButton_Click);

    picBtnSoundPlay = new PictureButton(Pic(QStringLiteral("main/sound0")), Pic(QStringLiteral("main/sound1")),
                                        Pic(QStringLiteral("main/sound2")), this);
    picBtnSoundPlay->setObjectName(QStringLiteral("picBtnSoundPlay"));
    picBtnSoundPlay->setGeometry(kSoundButton);
    picBtnSoundPlay->installEventFilter(this);
    connect(picBtnSoundPlay, &PictureButton::clicked, this, &frmMain::picBtnSoundPlay_Click);

    for (int i = 0; i < 6; ++i) {
        const QString stem = QStringLiteral("main/menu") + QString::number(i);
        picMenu[i] = new PictureButton(PicState(stem, 0), PicState(stem, 1), PicState(stem, 2), this);
        picMenu[i]->setObjectName(QStringLiteral("picMenu%1").arg(i));
        picMenu[i]->setGeometry(kMenuLeft[i], kMenuTop, kMenuSize, kMenuSize);
        picMenu[i]->installEventFilter(this);
        connect(picMenu[i], &PictureButton::clicked, this, [this, i] { picMenu_Click(i); });
    }

    webListMain = new HtmlView(objectName(), QStringLiteral("webListMain"), this);
    webListSub = new HtmlView(objectName(), QStringLiteral("webListSub"), this);
    webSoundRule = new HtmlView(objectName(), QStringLiteral("webSoundRule"), this);
    webWords = new HtmlView(objectName(), QStringLiteral("webWords"), this);
    webListMain->setGeometry(kListMain);
    webListSub->setGeometry(kListSub);
    webSoundRule->setGeometry(kSoundRule);
    webWords->setGeometry(kWords);
    connect(webListMain, &HtmlView::commandReceived, this, &frmMain::webListMain_BeforeNavigate2);
    connect(webListSub, &HtmlView::commandReceived, this, &frmMain::webListSub_BeforeNavigate2);
    connect(webWords, &HtmlView::commandReceived, this, &frmMain::webWords_BeforeNavigate2);
    // Nothing is shown in a view before its first page is written.
    for (HtmlView* v : {webListMain, webListSub, webSoundRule, webWords})
        v->hide();

    MakeCloseButton(kClose);

    // The pictures that follow the browsing mode and sound type.
    picTypeButton->SetPictures(PicState(QStringLiteral("main/type0"), 0), PicState(QStringLiteral("main/type0"), 1),
                               PicState(QStringLiteral("main/type0"), 2));
    picFrameTabCaption->setPixmap(Pic(QStringLiteral("main/tabcaption0")));
    picFrameTab->setPixmap(Pic(QStringLiteral("main/tab0")));
}

HtmlView* frmMain::view(const QString& name) const
{
    for (HtmlView* v : {webListMain, webListSub, webSoundRule, webWords})
        if (v->viewName() == name)
            return v;
    return nullptr;
}

void frmMain::Form_Load()
{
    LoadForm();
    SetMouseIconHand();
    CenterForm(this);
    StartFadeIn(App().FullAlpha, 30);
    show();
    SetDefaultValue();
}

void frmMain::SetDefaultValue()
{
    for (int i = 0; i < 6; ++i)
        picMenu[i]->setToolTip(QString::fromUtf8(kMenuTips[i]));
    WordKey = QStringLiteral("phsnd1");
    GetMainList();
}

void frmMain::GetWordKey() { WordKey = ::GetWordKey(ListMode, SoundType); }

void frmMain::SetHoverLock(bool locked)
{
    m_hoverLocked = locked;
    for (PictureButton* b : picMenu)
        b->SetHoverLocked(locked);
    picTypeButton->SetHoverLocked(locked);
    picBtnSoundPlay->SetHoverLocked(locked);
}

void frmMain::picButtonsResetImage()
{
    if (imgClose)
        imgClose->SetPicture(0);
    picTypeButton->SetPicture(0);
    picBtnSoundPlay->SetPicture(0);
    for (PictureButton* b : picMenu)
        b->SetPicture(0);
    SetHoverLock(false);
}

void frmMain::picBG_MouseMove(QMouseEvent* event)
{
    SkinnedWindow::picBG_MouseMove(event);
    const QPoint at = event->position().toPoint();
    if (kBackgroundArea.contains(at) || kFrameDesk.contains(at))
        picButtonsResetImage();
}

bool frmMain::eventFilter(QObject* watched, QEvent* event)
{
    // Releasing a menu button or the sound button locks the hover pictures
    // until the mouse has moved back over the background.
    if (event->type() == QEvent::MouseButtonRelease)
        SetHoverLock(true);
    return SkinnedWindow::eventFilter(watched, event);
}

void frmMain::picMenu_Click(int index)
{
    switch (index) {
    case 1:
    case 2:
    case 3:
    case 4:
        if (!HasExerciseOpener())
            return;
        OpenExerciseWindow(index);
        hide();
        return;
    case 5:
        OpenUrlInBrowser(ManualUrl());
        return;
    case 0:
        QueryForCloseProc();
        return;
    default:
        return;
    }
}

void frmMain::ShowAgain()
{
    show();
    raise();
    activateWindow();
}

void frmMain::picTypeButton_Click()
{
    ListMode = ListMode == 0 ? 1 : 0;
    const QString stem = QStringLiteral("main/type") + QString::number(ListMode);
    picTypeButton->SetPictures(PicState(stem, 0), PicState(stem, 1), PicState(stem, 2));
    picTypeButton->SetPicture(0);
    picFrameTabCaption->setPixmap(Pic(QStringLiteral("main/tabcaption") + QString::number(ListMode)));
    SetHoverLock(true);
    GetWordKey();
    GetMainList();
}

void frmMain::imgFrameTabSelect_Click()
{
    SoundType = SoundType == 0 ? 1 : 0;
    picFrameTab->setPixmap(Pic(QStringLiteral("main/tab") + QString::number(SoundType)));
    GetWordKey();
    GetMainList();
}

void frmMain::picBtnSoundPlay_Click()
{
    // An empty sub list has no sound: the player ignores the empty name.
    frmMediaPlayer::Instance()->PlaySoundDecode(lstMP3.value(SubIndex));
}

void frmMain::QueryForCloseProc()
{
    setEnabled(false);
    frmMessage::MessageBox(QStringLiteral("40"), 2, QStringLiteral("OK_CANCEL"), QStringLiteral("2"));
    WaitForMessageAnswer();
    if (MessageAnswer == QLatin1String("OK"))
        imgClose_Click();
    else
        setEnabled(true);
}

void frmMain::WaitForMessageAnswer()
{
    // Normally the answer is set before MessageBox returns. A message window
    // that went away without one ends the wait too, so nothing hangs.
    while (MessageAnswer.isEmpty() && frmMessage::Instance())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

void frmMain::imgClose_Click() { closeForm(); }

void frmMain::FadeOutFinished()
{
    // A sound plays from inside one of this window's own handlers, waiting in
    // a nested event loop. End it and run the exit procedure once that handler
    // has returned, so no window is deleted under a handler still running.
    if (frmMediaPlayer* player = frmMediaPlayer::Loaded(); player && player->IsWaiting()) {
        player->Stop();
        QMetaObject::invokeMethod(this, &frmMain::FadeOutFinished, Qt::QueuedConnection);
        return;
    }
    ExitProgramProc();
    if (LoadedForms().contains(this))
        Unload();
}

void frmMain::closeEvent(QCloseEvent* event)
{
    // A close request from the desktop (not the exit procedure, which takes
    // the window out of the loaded windows first) ends the program the same
    // way as the close button.
    if (LoadedForms().contains(this)) {
        event->ignore();
        imgClose_Click();
        return;
    }
    SkinnedWindow::closeEvent(event);
}

bool frmMain::CheckListWordFound(const QString& word, bool reset) { return ::CheckListWordFound(lstTemp, word, reset); }

void frmMain::GetMainList()
{
    MainValue.clear();
    const MainList list = BuildMainList(ListMode, SoundType, lstTemp);
    MainValue = list.mainValue;
    webListMain->WritePage(list.html);
    SubIndex = 0;
    SubValue.clear();
    GetSubList();
}

void frmMain::GetSubList()
{
    SubIndex = 0;
    SubValue.clear();
    const SubList list = BuildSubList(ListMode, SoundType, MainValue, lstTemp);
    lstMP3 = list.mp3;
    lstHTM = list.htm;
    SubValue = list.subValue;
    webListSub->WritePage(list.html);
    GetSubClickProc();
}

void frmMain::GetSubClickProc()
{
    const QString page = BuildRulePage(lstHTM.value(SubIndex));
    if (page.isEmpty()) {
        // No rule page (or an empty sub list): the view stays hidden and blank.
        webSoundRule->hide();
        webSoundRule->Navigate(QUrl(QStringLiteral("about:blank")));
    } else {
        webSoundRule->WritePage(page);
    }
    GetWords(WordKey, MainValue, SubValue);
}

void frmMain::GetWords(const QString& key, const QString& first, const QString& second)
{
    const WordTable table = BuildWordTable(key, first, second);
    webWords->WritePage(table.html);
    if (table.rows == 0) {
        MessageSubject = QStringLiteral("相關例字");
        frmMessage::MessageBox(QStringLiteral("9001"), 1, QStringLiteral("OK"), QStringLiteral("1"));
        WaitForMessageAnswer();
    }
}

void frmMain::webListMain_BeforeNavigate2(const QString& command)
{
    MainValue = ParseListCommand(command).value;
    GetSubList();
}

void frmMain::webListSub_BeforeNavigate2(const QString& command)
{
    const ListClick click = ParseListCommand(command);
    SubIndex = click.index;
    SubValue = click.value;
    GetSubClickProc();
}

void frmMain::webWords_BeforeNavigate2(const QString& command) { frmMediaPlayer::Instance()->PlaySoundDecode(command); }
