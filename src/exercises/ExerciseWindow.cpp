#include "ExerciseWindow.h"

#include "UnitListPage.h"
#include "app/AppValues.h"
#include "audio/frmMediaPlayer.h"
#include "lessons/frmMain.h"
#include "ui/HtmlView.h"
#include "ui/SkinPictures.h"

#include <QMouseEvent>

namespace {
// The transparent area over the window's content: moving over it puts the
// buttons back to their normal pictures. It takes presses itself, so only
// the window's frame and title strip drag the window.
class ResetArea : public QWidget {
public:
    ResetArea(SkinnedWindow* window, const QRect& geometry)
        : QWidget(window), m_window(window)
    {
        setObjectName(QStringLiteral("imgBackground"));
        setMouseTracking(true);
        setGeometry(geometry);
    }

protected:
    void mouseMoveEvent(QMouseEvent* event) override
    {
        m_window->picButtonsResetImage();
        event->accept();
    }
    void mousePressEvent(QMouseEvent* event) override { event->accept(); }

private:
    SkinnedWindow* m_window;
};
}

ExerciseWindow::ExerciseWindow(int exercise, const ExerciseLayout& layout)
    : SkinnedWindow(QStringLiteral("frmExam") + QString::number(exercise),
                    SkinPicture(QStringLiteral("exam%1/background").arg(exercise))),
      m_exercise(exercise)
{
    new ResetArea(this, layout.imgBackground);
    webSelect = new HtmlView(objectName(), QStringLiteral("webSelect"), this);
    webSelect->setGeometry(layout.webSelect);
    webMain = new HtmlView(objectName(), QStringLiteral("webMain"), this);
    webMain->setGeometry(layout.webMain);
    MakeCloseButton(QRect(layout.imgClose, QSize(48, 48)));

    connect(webSelect, &HtmlView::commandReceived, this, [this](const QString& command) {
        HandlerScope running(this);
        webSelect_BeforeNavigate2(command);
    });
    connect(webMain, &HtmlView::commandReceived, this, [this](const QString& command) {
        HandlerScope running(this);
        webMain_BeforeNavigate2(command);
    });
}

ExerciseWindow::~ExerciseWindow() = default;

ExerciseWindow::HandlerScope::HandlerScope(ExerciseWindow* window)
    : m_window(window)
{
    ++m_window->m_runningHandlers;
}

ExerciseWindow::HandlerScope::~HandlerScope()
{
    if (--m_window->m_runningHandlers == 0 && m_window->m_unloadWhenIdle) {
        m_window->m_unloadWhenIdle = false;
        m_window->Unload();
    }
}

void ExerciseWindow::Form_Load()
{
    m_unloadWhenIdle = false;
    LoadForm();
    SetMouseIconHand();
    CenterForm(this);
    StartFadeIn(App().FullAlpha, 30);
    show();
    SetDefaultValue();
}

void ExerciseWindow::SetDefaultValue()
{
    m_selectedUnit.clear();
    GetSelectData();
    GetMainData();
}

void ExerciseWindow::GetSelectData() { webSelect->WritePage(UnitListPage(m_exercise, m_selectedUnit)); }

void ExerciseWindow::webSelect_BeforeNavigate2(const QString& command)
{
    m_selectedUnit = command;
    UnitChosen();
    GetSelectData();
    GetMainData();
}

void ExerciseWindow::PlaySound(const QString& soundName) { frmMediaPlayer::Instance()->PlaySoundDecode(soundName); }

void ExerciseWindow::FadeOutFinished()
{
    if (frmMain* main = frmMain::Instance())
        main->ShowAgain();
    if (m_runningHandlers > 0) {
        hide();
        m_unloadWhenIdle = true;
        return;
    }
    Unload();
}
