#include "frmMessage.h"

#include "MessageCatalogue.h"
#include "SkinPictures.h"
#include "app/AppValues.h"
#include "app/Trace.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QKeyEvent>
#include <QPainter>
#include <QPointer>
#include <QTextLayout>

namespace {
QPointer<frmMessage> g_instance;

constexpr int kFlashWidthTwips = 1215;
constexpr int kProgressWidthTwips = 5250;

QFont messageFont()
{
    // 11.25 pt at 96 dpi.
    QFont f(QStringLiteral("Noto Sans CJK TC"));
    f.setPixelSize(15);
    return f;
}

// The message text: centred lines at a fixed spacing, so three lines fit
// the label whatever the line height of the fallback fonts.
class MessageLabel : public QLabel {
public:
    using QLabel::QLabel;

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.setPen(palette().color(QPalette::WindowText));
        const QFontMetricsF fm(font());
        const qreal lineStep = 19;
        qreal y = 0;
        QString display = text();
        display.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        for (const QString& paragraph : display.split(QLatin1Char('\n'))) {
            QTextLayout layout(paragraph, font());
            QTextOption option(Qt::AlignHCenter);
            option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
            layout.setTextOption(option);
            layout.beginLayout();
            bool any = false;
            for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
                any = true;
                line.setLineWidth(width());
                line.setPosition(QPointF(0, y + (lineStep - fm.height()) / 2));
                y += lineStep;
            }
            layout.endLayout();
            layout.draw(&p, QPointF(0, 0));
            if (!any)
                y += lineStep;
        }
    }
};
}

frmMessage* frmMessage::Instance() { return g_instance; }

frmMessage::frmMessage()
    : SkinnedWindow(QStringLiteral("frmMessage"), SkinPicture(QStringLiteral("message/background")))
{
    SetTopmost(true);

    lblCaption = new QLabel(this);
    lblCaption->setObjectName(QStringLiteral("lblCaption"));
    lblCaption->setGeometry(Twips(3660), Twips(570), Twips(2115), Twips(255));
    lblCaption->setFont(messageFont());
    lblCaption->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    QPalette captionPalette = lblCaption->palette();
    captionPalette.setColor(QPalette::WindowText, QColor(0, 64, 64));
    lblCaption->setPalette(captionPalette);

    lblMessage = new MessageLabel(this);
    lblMessage->setObjectName(QStringLiteral("lblMessage"));
    lblMessage->setGeometry(Twips(330), Twips(990), Twips(5385), Twips(885));
    lblMessage->setFont(messageFont());
    QPalette messagePalette = lblMessage->palette();
    messagePalette.setColor(QPalette::WindowText, Qt::black);
    lblMessage->setPalette(messagePalette);

    imgIcon = new QLabel(this);
    imgIcon->setObjectName(QStringLiteral("imgIcon"));
    imgIcon->setGeometry(Twips(5460), 0, Twips(465), Twips(450));

    auto picture = [](const char* name, int i) { return SkinPicture(QStringLiteral("message/%1%2").arg(QLatin1String(name)).arg(i)); };
    cmdOK = new PictureButton(picture("ok", 0), picture("ok", 1), picture("ok", 2), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdCancel = new PictureButton(picture("cancel", 0), picture("cancel", 1), picture("cancel", 2), this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    for (PictureButton* b : {cmdOK, cmdCancel}) {
        b->setGeometry(0, Twips(1890), Twips(1650), Twips(420));
        connect(b, &PictureButton::hovered, this, &frmMessage::ReleaseImage);
    }
    connect(cmdOK, &PictureButton::clicked, this, &frmMessage::cmdOK_Click);
    connect(cmdCancel, &PictureButton::clicked, this, &frmMessage::cmdCancel_Click);

    picProgress = new QLabel(this);
    picProgress->setObjectName(QStringLiteral("picProgress"));
    picProgress->setGeometry(Twips(390), Twips(1920), Twips(5250), Twips(225));
    picProgress->setPixmap(SkinPicture(QStringLiteral("progress/frame")));
    picProgressInner = new QLabel(picProgress);
    picProgressInner->setObjectName(QStringLiteral("picProgressInner"));
    picProgressInner->setGeometry(Twips(10), Twips(15), Twips(5220), Twips(195));
    picProgressInner->setPixmap(SkinPicture(QStringLiteral("progress/track")));
    imgProgressFlash = new QLabel(picProgressInner);
    imgProgressFlash->setObjectName(QStringLiteral("imgProgressFlash"));
    imgProgressFlash->setPixmap(SkinPicture(QStringLiteral("progress/flash")));
    imgProgressFlash->setGeometry(Twips(m_flashLeftTwips), 0, Twips(kFlashWidthTwips), Twips(195));
    tmrProgressFlash.setInterval(30);
    connect(&tmrProgressFlash, &QTimer::timeout, this, &frmMessage::tmrProgressFlash_Timer);

    // Moves over the texts reach the window, which resets the buttons.
    for (QLabel* w : {lblCaption, lblMessage, imgIcon, picProgress})
        w->setMouseTracking(true);

    // Once unloaded it is no longer the message window, even before it is
    // deleted: the next message loads a fresh one.
    connect(this, &SkinnedWindow::unloaded, this, [this] {
        if (g_instance == this)
            g_instance = nullptr;
    });

    SetMouseIconHand();
    CenterForm(this);
    SetFormAlpha(this, 0);
    LoadForm();
}

frmMessage::~frmMessage() = default;

frmMessage* frmMessage::LoadMessageWindow()
{
    if (!g_instance)
        g_instance = new frmMessage;
    return g_instance;
}

void frmMessage::Prepare(const QString& text, const QString& caption, qint16 icon)
{
    cmdOK->hide();
    cmdCancel->hide();
    picProgress->hide();
    ReleaseImage();
    lblCaption->setText(caption);
    lblMessage->setText(WithLeadingCrlf(text));
    // An icon number outside the set shows no icon rather than failing the message.
    imgIcon->setPixmap(icon >= 0 && icon <= 2 ? SkinPicture(QStringLiteral("message/icon%1").arg(icon)) : QPixmap());
}

static void traceMessage(const char* mode, const QString& id, qint16 icon, const QString& buttons,
                         const QString& captionId, const QString& captionText, const QString& text)
{
    if (!Trace::enabled())
        return;
    Trace::event(QStringLiteral("message"), {{QStringLiteral("mode"), QLatin1String(mode)},
                                             {QStringLiteral("id"), id},
                                             {QStringLiteral("icon"), icon},
                                             {QStringLiteral("buttons"), buttons},
                                             {QStringLiteral("caption"), captionId},
                                             {QStringLiteral("captionText"), captionText},
                                             {QStringLiteral("text"), text}});
}

void frmMessage::MessageBox(const QString& id, qint16 icon, const QString& buttons, const QString& captionId)
{
    QPointer<frmMessage> w = LoadMessageWindow();
    w->hide();
    QCoreApplication::processEvents();
    if (!w)
        return;

    w->m_buttons = buttons;
    w->ShowAtOnce = false;
    MessageAnswer.clear();
    w->tmrProgressFlash.stop();
    w->Prepare(MessageText(id, MessageSubject), CaptionText(captionId), icon);

    const MessageButtonLayout layout = LayoutMessageButtons(buttons);
    w->cmdOK->move(Twips(layout.okLeft), Twips(1890));
    w->cmdCancel->move(Twips(layout.cancelLeft), Twips(1890));
    w->cmdOK->setVisible(layout.okVisible);
    w->cmdCancel->setVisible(layout.cancelVisible);

    traceMessage("box", id, icon, buttons, captionId, w->lblCaption->text(), w->lblMessage->text());

    QEventLoop loop;
    connect(w, &SkinnedWindow::unloaded, &loop, &QEventLoop::quit);
    connect(w, &QObject::destroyed, &loop, &QEventLoop::quit);
    w->setWindowModality(Qt::ApplicationModal);
    w->show();
    w->raise();
    w->activateWindow();
    loop.exec();
}

void frmMessage::ProgressMsgBox(const QString& id, qint16 icon, const QString& buttons, const QString& captionId)
{
    QPointer<frmMessage> w = LoadMessageWindow();
    w->hide();
    QCoreApplication::processEvents();
    if (!w)
        return;

    w->m_buttons.clear();
    w->ShowAtOnce = true;
    MessageAnswer.clear();
    w->Prepare(ProgressText(id), ProgressCaptionText(captionId), icon);
    w->picProgress->show();

    traceMessage("progress", id, icon, buttons, captionId, w->lblCaption->text(), w->lblMessage->text());

    w->setWindowModality(Qt::NonModal);
    w->show();
    w->raise();
    w->m_flashLeftTwips = 30;
    w->imgProgressFlash->move(Twips(w->m_flashLeftTwips), 0);
    w->tmrProgressFlash.start();
    // Paint it before the caller starts its work.
    QCoreApplication::processEvents();
    MessageAnswer = QStringLiteral("OK");
}

void frmMessage::UnloadMessage()
{
    if (g_instance)
        g_instance->Unload();
}

void frmMessage::showEvent(QShowEvent* event)
{
    SkinnedWindow::showEvent(event);
    if (event->spontaneous())
        return;
    AlphaTarget = 240;
    AlphaStep = 30;
    if (ShowAtOnce) {
        tmrTransparentForm.stop();
        Alpha = 240;
        SetFormAlpha(this, Alpha);
    } else {
        StartFadeIn(240, 30);
    }
}

void frmMessage::keyPressEvent(QKeyEvent* event)
{
    // Enter confirms and Escape refuses, as in any message box.
    const int key = event->key();
    if ((key == Qt::Key_Return || key == Qt::Key_Enter) && !cmdOK->isHidden())
        cmdOK_Click();
    else if (key == Qt::Key_Escape && !cmdCancel->isHidden())
        cmdCancel_Click();
    else
        SkinnedWindow::keyPressEvent(event);
}

void frmMessage::ReleaseImage()
{
    cmdOK->SetPicture(0);
    cmdCancel->SetPicture(0);
}

void frmMessage::picBG_MouseMove(QMouseEvent*) { ReleaseImage(); }

void frmMessage::cmdOK_Click()
{
    // A second press while the window fades out changes nothing.
    if (AlphaStep < 0)
        return;
    const QString answer = AnswerFor(m_buttons, MessageButton::OK);
    if (!answer.isEmpty()) {
        MessageAnswer = answer;
        Trace::event(QStringLiteral("answer"), {{QStringLiteral("value"), answer}});
    }
    closeForm();
}

void frmMessage::cmdCancel_Click()
{
    if (AlphaStep < 0)
        return;
    const QString answer = AnswerFor(m_buttons, MessageButton::Cancel);
    if (!answer.isEmpty()) {
        MessageAnswer = answer;
        Trace::event(QStringLiteral("answer"), {{QStringLiteral("value"), answer}});
    }
    closeForm();
}

void frmMessage::FadeInFinished()
{
    if (!ShowAtOnce && qEnvironmentVariableIsSet("VARNELO_AUTO_ANSWER"))
        QMetaObject::invokeMethod(this, &frmMessage::pressAutoAnswer, Qt::QueuedConnection);
}

void frmMessage::pressAutoAnswer()
{
    const QString wanted = qEnvironmentVariable("VARNELO_AUTO_ANSWER");
    const bool okShown = !cmdOK->isHidden();
    const bool cancelShown = !cmdCancel->isHidden();
    if (okShown && AnswerFor(m_buttons, MessageButton::OK) == wanted)
        cmdOK_Click();
    else if (cancelShown && AnswerFor(m_buttons, MessageButton::Cancel) == wanted)
        cmdCancel_Click();
    else if (okShown && (wanted == QLatin1String("OK") || wanted == QLatin1String("YES")))
        cmdOK_Click();
    else if (cancelShown)
        cmdCancel_Click();
    else if (okShown)
        cmdOK_Click();
    else
        closeForm();
}

void frmMessage::tmrProgressFlash_Timer()
{
    m_flashLeftTwips = NextProgressFlashLeft(m_flashLeftTwips, kFlashWidthTwips, kProgressWidthTwips);
    imgProgressFlash->move(Twips(m_flashLeftTwips), 0);
}
