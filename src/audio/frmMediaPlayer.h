#pragma once
#include <QString>
#include <QWidget>

class QAudioOutput;
class QMediaPlayer;
class QTimer;

// The hidden sound player. Asked for a sound by name it makes a playable copy
// of the scrambled recording in the temporary folder, plays it, waits in the
// event loop until playback has stopped and deletes the copy. A request that
// arrives while a sound plays (from inside that wait) replaces it; each call
// deletes only its own copy.
class frmMediaPlayer : public QWidget {
    Q_OBJECT
public:
    // The single player, loaded at the first call.
    static frmMediaPlayer* Instance();
    // The player if it is loaded, else null (stopping must not load it).
    static frmMediaPlayer* Loaded();
    // Stops whatever plays; nothing happens when the player is not loaded.
    static void StopCurrentSound();

    // Plays the recording "xp3/<name>.xp3" of the data folder and returns when
    // its playback has stopped. An empty name or a missing recording plays nothing.
    void PlaySoundDecode(const QString& name);
    void Stop();
    bool IsPlaying() const { return m_current != 0; }
    // A PlaySoundDecode call has not returned yet.
    bool IsWaiting() const { return m_waiting > 0; }

    // The recording and a fresh playable-copy path for a sound name.
    static QString ScrambledSoundPath(const QString& name);
    static QString NewPlayableCopyPath();

signals:
    // The sound that was playing has ended, was stopped or was replaced.
    void playbackEnded();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    frmMediaPlayer();
    ~frmMediaPlayer() override;
    void mediaEnded();
    void endPlayback();

    QMediaPlayer* wmpPlayer = nullptr;
    QAudioOutput* m_output = nullptr;
    // Ends a playback that stops making progress (a broken file, a sink that
    // never drains), so no caller waits for ever.
    QTimer* m_stallGuard = nullptr;
    quint64 m_current = 0;  // the call whose copy the player holds; 0 when stopped
    quint64 m_lastCall = 0;
    bool m_progressed = false;  // the current sound has advanced past its start
    bool m_retried = false;
    int m_waiting = 0;  // PlaySoundDecode calls still waiting for their sound
};
