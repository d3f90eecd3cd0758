// The sound player against real recordings made in the test: a short tone
// encoded to MP3 and scrambled the way the content builder stores it.
#include "support/TestSupport.h"
#include "app/AppValues.h"
#include "app/Forms.h"
#include "app/Trace.h"
#include "audio/SoundFileCodec.h"
#include "audio/frmMediaPlayer.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonObject>
#include <QProcess>
#include <QStandardPaths>
#include <QTimer>
#include <gtest/gtest.h>

namespace {
// A tone of the given length as the scrambled recording xp3/<name>.xp3.
bool MakeRecording(const QString& dataFolder, const QString& name, double seconds)
{
    if (QStandardPaths::findExecutable("sox").isEmpty() || QStandardPaths::findExecutable("lame").isEmpty())
        return false;
    QDir().mkpath(dataFolder + "/xp3");
    const QString wav = dataFolder + "/" + name + ".wav", mp3 = dataFolder + "/" + name + ".mp3";
    if (QProcess::execute("sox", {"-n", "-r", "22050", "-c", "1", wav, "synth", QString::number(seconds), "sine", "440"}) != 0)
        return false;
    if (QProcess::execute("lame", {"--quiet", "-b", "32", wav, mp3}) != 0)
        return false;
    QFile in(mp3);
    if (!in.open(QIODevice::ReadOnly))
        return false;
    QByteArray bytes = in.readAll();
    PermuteSoundBytes(bytes);
    QFile out(dataFolder + "/xp3/" + name + ".xp3");
    return out.open(QIODevice::WriteOnly) && out.write(bytes) == bytes.size();
}

QStringList PlayableCopies(const QString& tempFolder)
{
    return QDir(tempFolder).entryList({"vrn_sound*.mp3"}, QDir::Files);
}

QList<QJsonObject> SoundEvents(const QString& tracePath)
{
    return TraceEvents(tracePath, "sound");
}

QString Describe(const QList<QJsonObject>& events)
{
    QStringList parts;
    for (const QJsonObject& e : events)
        parts << e["name"].toString() + ":" + e["state"].toString();
    return parts.join(' ');
}

class SoundPlayer : public ::testing::Test {
protected:
    FixtureDataFolder data;
    QString tracePath = data.tempFolder() + "/trace.jsonl";

    void SetUp() override
    {
        Trace::openForTest(tracePath);
        if (!MakeRecording(data.dataFolder(), "short", 0.3) || !MakeRecording(data.dataFolder(), "long", 4.0))
            GTEST_SKIP() << "sox and lame are needed to make test recordings";
    }
    void TearDown() override
    {
        if (frmMediaPlayer* p = frmMediaPlayer::Loaded())
            UnloadForm(p);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        Trace::openForTest(QString());
    }
};
}

TEST_F(SoundPlayer, NothingToPlayReturnsAtOnceWithoutACopy)
{
    for (const QString name : {QString(), QStringLiteral("missing")}) {
        frmMediaPlayer::Instance()->PlaySoundDecode(name);
        EXPECT_TRUE(PlayableCopies(data.tempFolder()).isEmpty()) << name.toStdString();
    }
    EXPECT_TRUE(SoundEvents(tracePath).isEmpty());
}

TEST_F(SoundPlayer, PlaysToTheEndAndDeletesItsCopy)
{
    frmMediaPlayer* player = frmMediaPlayer::Instance();
    bool copySeen = false;
    QTimer::singleShot(100, [&] { copySeen = PlayableCopies(data.tempFolder()).size() == 1; });
    player->PlaySoundDecode("short");

    EXPECT_TRUE(copySeen) << "the playable copy exists while the sound plays";
    EXPECT_FALSE(player->IsPlaying());
    EXPECT_TRUE(PlayableCopies(data.tempFolder()).isEmpty());
    EXPECT_EQ(Describe(SoundEvents(tracePath)), "short:play short:stopped");
}

TEST_F(SoundPlayer, ASecondRequestReplacesTheFirstAndEachCallDeletesItsOwnCopy)
{
    frmMediaPlayer* player = frmMediaPlayer::Instance();
    int copiesDuringSecond = -1;
    QTimer::singleShot(200, [&] {
        QTimer::singleShot(100, [&] { copiesDuringSecond = PlayableCopies(data.tempFolder()).size(); });
        player->PlaySoundDecode("short");
    });
    QElapsedTimer clock;
    clock.start();
    player->PlaySoundDecode("long");

    // The long sound was cut short by the second request.
    EXPECT_LT(clock.elapsed(), 3500);
    EXPECT_EQ(copiesDuringSecond, 2) << "the replaced call still holds its copy until its wait ends";
    EXPECT_TRUE(PlayableCopies(data.tempFolder()).isEmpty());
    EXPECT_EQ(Describe(SoundEvents(tracePath)), "long:play short:play short:stopped long:stopped");
}

TEST_F(SoundPlayer, StoppingOrUnloadingThePlayerEndsTheWait)
{
    for (const bool unload : {false, true}) {
        frmMediaPlayer* player = frmMediaPlayer::Instance();
        QTimer::singleShot(300, [&] {
            if (unload)
                UnloadForm(frmMediaPlayer::Loaded());
            else
                frmMediaPlayer::StopCurrentSound();
        });
        QElapsedTimer clock;
        clock.start();
        player->PlaySoundDecode("long");
        EXPECT_LT(clock.elapsed(), 3500) << (unload ? "unload" : "stop");
        EXPECT_TRUE(PlayableCopies(data.tempFolder()).isEmpty());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    EXPECT_EQ(frmMediaPlayer::Loaded(), nullptr);
    // Stopping when no player is loaded does not load one.
    frmMediaPlayer::StopCurrentSound();
    EXPECT_EQ(frmMediaPlayer::Loaded(), nullptr);
}
