#include "frmMediaPlayer.h"

#include "SoundFileCodec.h"
#include "app/AppValues.h"
#include "app/Forms.h"
#include "app/Trace.h"
#include "data/FileHelpers.h"

#include <QAudioOutput>
#include <QCloseEvent>
#include <QEventLoop>
#include <QFile>
#include <QMediaPlayer>
#include <QPointer>
#include <QTimer>
#include <QUrl>

namespace {
QPointer<frmMediaPlayer> g_player;
constexpr int kTwipsPerPixel = 15;
constexpr int kStallMs = 5000;
}

frmMediaPlayer* frmMediaPlayer::Instance()
{
    if (!g_player)
        g_player = new frmMediaPlayer;
    return g_player;
}

frmMediaPlayer* frmMediaPlayer::Loaded() { return g_player; }

void frmMediaPlayer::StopCurrentSound()
{
    if (g_player)
        g_player->Stop();
}

frmMediaPlayer::frmMediaPlayer()
{
    setObjectName(QStringLiteral("frmMediaPlayer"));
    // Never shown: kept far off-screen in case something shows it anyway.
    move(-30000 / kTwipsPerPixel, 0);
    setAttribute(Qt::WA_DontShowOnScreen, true);

    wmpPlayer = new QMediaPlayer(this);
    m_output = new QAudioOutput(this);
    wmpPlayer->setAudioOutput(m_output);
    m_stallGuard = new QTimer(this);
    m_stallGuard->setSingleShot(true);
    m_stallGuard->setInterval(kStallMs);

    // A natural end shows as EndOfMedia (after StoppedState); explicit stops
    // and replacements end the call themselves.
    connect(wmpPlayer, &QMediaPlayer::mediaStatusChanged, this, [this](QMediaPlayer::MediaStatus status) {
        if (status == QMediaPlayer::EndOfMedia)
            mediaEnded();
        else if (status == QMediaPlayer::InvalidMedia)
            endPlayback();
    });
    connect(wmpPlayer, &QMediaPlayer::errorOccurred, this, &frmMediaPlayer::endPlayback);
    connect(wmpPlayer, &QMediaPlayer::positionChanged, this, [this](qint64 position) {
        if (m_current == 0)
            return;
        if (position > 0)
            m_progressed = true;
        m_stallGuard->start();
    });
    connect(m_stallGuard, &QTimer::timeout, this, &frmMediaPlayer::Stop);

    RegisterForm(this);
}

frmMediaPlayer::~frmMediaPlayer()
{
    UnregisterForm(this);
    endPlayback();
}

QString frmMediaPlayer::ScrambledSoundPath(const QString& name)
{
    return DataFolder() + PathSep() + QStringLiteral("xp3") + PathSep() + name + QStringLiteral(".xp3");
}

QString frmMediaPlayer::NewPlayableCopyPath()
{
    // Two requests in the same second share the time part of the stamp; an
    // existing name would be another call's copy, which is not ours to replace.
    QString path;
    do {
        path = App().TempFolder + PathSep() + QStringLiteral("vrn_sound") + NewUniqueStamp() + QStringLiteral(".mp3");
    } while (QFile::exists(path));
    return path;
}

void frmMediaPlayer::PlaySoundDecode(const QString& name)
{
    if (name.isEmpty())
        return;
    const QString source = ScrambledSoundPath(name);
    if (!CheckFileExists(source))
        return;
    const QString target = NewPlayableCopyPath();
    if (!DecodeSoundFile(source, target)) {
        QFile::remove(target);
        return;
    }

    // Pointing the player at a new file ends the sound of an outer call (one
    // waiting below this one); that call sees it no longer owns the player
    // and ends its wait once this call has returned.
    wmpPlayer->setSource(QUrl::fromLocalFile(target));
    const quint64 call = ++m_lastCall;
    m_current = call;
    m_progressed = false;
    m_retried = false;
    emit playbackEnded();
    wmpPlayer->play();
    m_stallGuard->start();
    Trace::sound(name, QStringLiteral("play"));

    QPointer<frmMediaPlayer> self(this);
    if (m_current == call) {
        QEventLoop wait;
        connect(this, &frmMediaPlayer::playbackEnded, &wait, [&wait, this, call, self] {
            if (!self || m_current != call)
                wait.quit();
        });
        connect(this, &QObject::destroyed, &wait, &QEventLoop::quit);
        ++m_waiting;
        wait.exec();
        if (self)
            --m_waiting;
    }

    QFile::remove(target);
    Trace::sound(name, QStringLiteral("stopped"));
}

void frmMediaPlayer::mediaEnded()
{
    // The media pipeline now and then reports the end of a sound before any
    // of it has played (seen without an audio device); such a sound is
    // started once more. A file that really holds nothing ends the second time.
    if (m_current != 0 && !m_progressed && !m_retried) {
        m_retried = true;
        wmpPlayer->play();
        return;
    }
    endPlayback();
}

void frmMediaPlayer::Stop()
{
    if (wmpPlayer)
        wmpPlayer->stop();
    endPlayback();
}

void frmMediaPlayer::endPlayback()
{
    if (m_current == 0)
        return;
    m_current = 0;
    if (m_stallGuard)
        m_stallGuard->stop();
    emit playbackEnded();
}

void frmMediaPlayer::closeEvent(QCloseEvent* event)
{
    // Unloading the player ends any sound that plays.
    Stop();
    QWidget::closeEvent(event);
}
