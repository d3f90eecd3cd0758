#include "frmStartUp.h"

#include "AppValues.h"
#include "Forms.h"
#include "SystemBox.h"
#include "Trace.h"
#include "data/Database.h"
#include "lessons/frmMain.h"
#include "online/PrepareContentData.h"

#include <QGuiApplication>
#include <QPointer>
#include <QScreen>

namespace {
QPointer<frmStartUp> g_instance;
constexpr int kTwipsPerPixel = 15;
}

frmStartUp::frmStartUp()
{
    setObjectName(QStringLiteral("frmStartUp"));
    setWindowTitle(QStringLiteral("Varnelo 2"));
    setAttribute(Qt::WA_DeleteOnClose, false);
    g_instance = this;
    m_pictures = SharedPictures::FromSkin();
    SetSharedPictures(&m_pictures);
}

frmStartUp::~frmStartUp()
{
    SetSharedPictures(nullptr);
}

frmStartUp* frmStartUp::Instance() { return g_instance; }

bool frmStartUp::IsStandardDpi()
{
    // Qt scales a high-dpi desktop back to 96 logical dpi per device pixel;
    // the desktop's own setting is that value times the scale.
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen && qRound(screen->logicalDotsPerInchX() * screen->devicePixelRatio()) == 96;
}

bool frmStartUp::Form_Load()
{
    // Window geometry everywhere converts twips at 15 per pixel, true only at 96 dpi.
    if (!IsStandardDpi()) {
        ShowSystemBox(QStringLiteral("警告"),
                      QStringLiteral("您的視窗目前設定為較大顯示字型，請回復預設字型(96dpi)，才能正常使用本軟體。"),
                      SystemBoxIcon::Warning);
        return false;
    }

    RegisterForm(this);
    move(-10000 / kTwipsPerPixel, -10000 / kTwipsPerPixel);

    InitGlobalValues();

    PrepareContentData();

    if (!CheckDatabaseEngine())
        return false;

    // Step 11, the splash, goes here: it returns once the splash has faded in.

    frmMain::Open();
    // Loaded and out of sight; becoming active hands the focus to the main window.
    show();
    return true;
}

void frmStartUp::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        Form_Activate();
}

void frmStartUp::Form_Activate()
{
    frmMain* main = frmMain::Instance();
    if (main && main->isVisible())
        main->activateWindow();
}

void frmStartUp::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    Trace::window(objectName(), QStringLiteral("shown"));
}
