#include "Recordings.h"

#include "audio/SoundFileCodec.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSet>
#include <QtEndian>

#include <atomic>
#include <mutex>
#include <thread>
#include <vector>

namespace {

// Learners listen closely: a little slower than conversation.
constexpr int kWordSpeed = 140;
constexpr int kSoundSpeed = 120;
const char* const kVoice = "en-us";
// Silence around each recording keeps the first and last sound from being
// clipped by a player and every file above the 4096 scrambled bytes.
constexpr double kLeadSilence = 0.05;
constexpr double kTailSilence = 0.25;
const QStringList kLameOptions = {QStringLiteral("--quiet"), QStringLiteral("-m"), QStringLiteral("m"),
                                  QStringLiteral("-b"), QStringLiteral("64")};

RecordingNeed Need(const ContentSources& s, const QString& name, const QString& what, const QString& text,
                   const QString& file, int line)
{
    RecordingNeed n;
    n.name = name;
    n.what = what;
    n.file = file;
    n.line = line;
    const QString human = s.humanRecordingPath(name);
    if (QFileInfo(human).isFile()) {
        n.source = RecordingSource::Human;
        n.input = human;
    } else if (const auto p = s.phoneme(name); p && !p->value.trimmed().isEmpty()) {
        n.source = RecordingSource::Phonemes;
        n.input = p->value.trimmed();
    } else if (!text.trimmed().isEmpty()) {
        n.source = RecordingSource::Text;
        n.input = text.trimmed();
    }
    return n;
}

QString ToolVersion(const QString& program, const QStringList& args)
{
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(10000))
        return QString();
    return QString::fromUtf8(p.readAllStandardOutput() + p.readAllStandardError()).section(QLatin1Char('\n'), 0, 0);
}

// Runs a program to its end; false with *error set when it fails.
bool Run(const QString& program, const QStringList& args, const QByteArray& input, QString* error)
{
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(program, args);
    if (!p.waitForStarted(10000)) {
        *error = QStringLiteral("cannot start %1").arg(program);
        return false;
    }
    if (!input.isEmpty())
        p.write(input);
    p.closeWriteChannel();
    if (!p.waitForFinished(120000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        *error = QStringLiteral("%1 failed: %2").arg(program, QString::fromLocal8Bit(p.readAll()).trimmed());
        return false;
    }
    return true;
}

struct Job {
    const RecordingNeed* need;
    QString cached;  // cache file of its MP3
};

// espeak-ng to WAV, padded with silence, lame to MP3, into the cache.
bool Synthesise(const Job& job, const QString& tmpDir, QString* error)
{
    const RecordingNeed& n = *job.need;
    const QString base = QDir(tmpDir).filePath(QFileInfo(job.cached).completeBaseName());
    const QString wav = base + QStringLiteral(".wav");
    const QString padded = base + QStringLiteral(".pad.wav");
    const QString mp3 = base + QStringLiteral(".mp3");
    const int speed = n.source == RecordingSource::Phonemes ? kSoundSpeed : kWordSpeed;
    // The text goes in on standard input so that no word is read as an option.
    if (!Run(QStringLiteral("espeak-ng"),
             {QStringLiteral("-v"), QString::fromLatin1(kVoice), QStringLiteral("-s"), QString::number(speed),
              QStringLiteral("-w"), wav},
             n.input.toUtf8() + '\n', error))
        return false;
    QFile in(wav);
    if (!in.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("espeak-ng wrote no sound for \"%1\"").arg(n.input);
        return false;
    }
    const QByteArray pcm = PadWav(in.readAll(), kLeadSilence, kTailSilence);
    in.close();
    QFile out(padded);
    if (!out.open(QIODevice::WriteOnly) || out.write(pcm) != pcm.size()) {
        *error = QStringLiteral("cannot write %1").arg(padded);
        return false;
    }
    out.close();
    if (!Run(QStringLiteral("lame"), kLameOptions + QStringList{padded, mp3}, QByteArray(), error))
        return false;
    QFile::remove(wav);
    QFile::remove(padded);
    QFile::remove(job.cached);
    if (!QFile::rename(mp3, job.cached)) {
        *error = QStringLiteral("cannot store %1 in the cache").arg(job.cached);
        return false;
    }
    return true;
}

bool WriteScrambled(const QString& mp3Path, const QString& xp3Path, QString* error)
{
    QFile in(mp3Path);
    if (!in.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("cannot read %1").arg(mp3Path);
        return false;
    }
    QByteArray bytes = in.readAll();
    PermuteSoundBytes(bytes);
    // Plain writes: the whole staging folder is swapped in at the end, so a
    // file needs no atomic replacement of its own (and no sync).
    QFile out(xp3Path);
    if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size()) {
        *error = QStringLiteral("cannot write %1").arg(xp3Path);
        return false;
    }
    return true;
}

} // namespace

QList<RecordingNeed> PlanRecordings(const ContentSources& s)
{
    QList<RecordingNeed> out;
    QSet<QString> seen;
    const auto add = [&](const RecordingNeed& n) {
        if (n.name.isEmpty() || seen.contains(n.name))
            return;
        seen.insert(n.name);
        out.append(n);
    };
    for (const char* name : {"vowels_sound", "consonants_sound"}) {
        const TsvTable& t = s.table(QString::fromLatin1(name));
        for (const TsvRow& row : t.rows)
            add(Need(s, t.text(row, QStringLiteral("mp3")), QStringLiteral("lesson sound"), QString(), t.path,
                     row.line));
    }
    const TsvTable& b = s.table(QStringLiteral("beginner"));
    for (const TsvRow& row : b.rows)
        add(Need(s, b.text(row, QStringLiteral("mp3")), QStringLiteral("item"),
                 b.text(row, QStringLiteral("data2show1")), b.path, row.line));
    for (const char* name : {"jwords", "kk_reco"}) {
        const TsvTable& t = s.table(QString::fromLatin1(name));
        for (const TsvRow& row : t.rows) {
            const QString word = t.text(row, QStringLiteral("word"));
            add(Need(s, word, QStringLiteral("word"), word, t.path, row.line));
        }
    }
    return out;
}

bool MakeRecordings(const QList<RecordingNeed>& needs, const QString& xp3Dir, const SynthesisOptions& options,
                    QString* error)
{
    const auto say = [&](const QString& line) {
        if (options.progress)
            options.progress(line);
    };
    if (!QDir().mkpath(xp3Dir) || !QDir().mkpath(options.cacheDir)) {
        *error = QStringLiteral("cannot create %1 or %2").arg(xp3Dir, options.cacheDir);
        return false;
    }

    // The cache key covers everything that shapes the sound, tool versions
    // included, so a changed setting never reuses a stale file.
    QString toolKey;
    std::vector<Job> jobs, toMake;
    QSet<QString> pending;
    for (const RecordingNeed& n : needs) {
        if (n.source == RecordingSource::None) {
            *error = QStringLiteral("%1 \"%2\" has no recording source").arg(n.what, n.name);
            return false;
        }
        if (n.source == RecordingSource::Human) {
            jobs.push_back({&n, n.input});
            continue;
        }
        if (toolKey.isEmpty())
            toolKey = ToolVersion(QStringLiteral("espeak-ng"), {QStringLiteral("--version")}) + QLatin1Char('|')
                      + ToolVersion(QStringLiteral("lame"), {QStringLiteral("--version")});
        const QString key = QStringList{toolKey, QString::fromLatin1(kVoice),
                                        QString::number(n.source == RecordingSource::Phonemes ? kSoundSpeed
                                                                                              : kWordSpeed),
                                        QString::number(kLeadSilence), QString::number(kTailSilence),
                                        kLameOptions.join(QLatin1Char(' ')), n.input}
                                .join(QLatin1Char('\n'));
        const QString hash = QString::fromLatin1(
            QCryptographicHash::hash(key.toUtf8(), QCryptographicHash::Sha256).toHex().left(32));
        Job job{&n, QDir(options.cacheDir).filePath(hash + QStringLiteral(".mp3"))};
        jobs.push_back(job);
        // Several names may share one input (ai, ay and a_e all say "e"):
        // each distinct input is synthesised once.
        if (!QFileInfo(job.cached).isFile() && !pending.contains(job.cached)) {
            pending.insert(job.cached);
            toMake.push_back(job);
        }
    }

    if (!toMake.empty()) {
        say(QStringLiteral("recordings: synthesising %1 of %2 (the rest are cached or recorded)")
                .arg(toMake.size())
                .arg(jobs.size()));
        const QString tmpDir = QDir(options.cacheDir).filePath(QStringLiteral("tmp"));
        QDir().mkpath(tmpDir);
        std::atomic<size_t> next{0}, done{0};
        std::atomic<bool> failed{false};
        std::mutex lock;
        QString firstError;
        const auto worker = [&] {
            for (size_t i = next++; i < toMake.size() && !failed; i = next++) {
                QString e;
                if (!Synthesise(toMake[i], tmpDir, &e)) {
                    std::lock_guard<std::mutex> g(lock);
                    if (!failed.exchange(true))
                        firstError = QStringLiteral("%1 \"%2\": %3").arg(toMake[i].need->what, toMake[i].need->name, e);
                    return;
                }
                const size_t d = ++done;
                if (d % 50 == 0 || d == toMake.size()) {
                    std::lock_guard<std::mutex> g(lock);
                    say(QStringLiteral("recordings: %1 of %2 synthesised").arg(d).arg(toMake.size()));
                }
            }
        };
        const int n = std::max(1, std::min(options.jobs, int(toMake.size())));
        std::vector<std::thread> threads;
        for (int i = 0; i < n; ++i)
            threads.emplace_back(worker);
        for (std::thread& t : threads)
            t.join();
        QDir(tmpDir).removeRecursively();
        if (failed) {
            *error = firstError;
            return false;
        }
    }

    for (const Job& job : jobs) {
        if (!WriteScrambled(job.cached, QDir(xp3Dir).filePath(job.need->name + QStringLiteral(".xp3")), error))
            return false;
    }
    say(QStringLiteral("recordings: %1 written").arg(jobs.size()));
    return true;
}

QByteArray PadWav(const QByteArray& wav, double leadSeconds, double tailSeconds)
{
    if (wav.size() < 12 || !wav.startsWith("RIFF") || wav.mid(8, 4) != "WAVE")
        return wav;
    qsizetype pos = 12;
    quint32 sampleRate = 0;
    quint16 channels = 0, bits = 0, format = 0;
    QByteArray header;
    while (pos + 8 <= wav.size()) {
        const QByteArray id = wav.mid(pos, 4);
        quint32 size = qFromLittleEndian<quint32>(wav.constData() + pos + 4);
        if (id == "fmt " && pos + 8 + 16 <= wav.size()) {
            const char* f = wav.constData() + pos + 8;
            format = qFromLittleEndian<quint16>(f);
            channels = qFromLittleEndian<quint16>(f + 2);
            sampleRate = qFromLittleEndian<quint32>(f + 4);
            bits = qFromLittleEndian<quint16>(f + 14);
        }
        if (id == "data") {
            if (format != 1 || channels == 0 || bits % 8 != 0 || sampleRate == 0)
                return wav;
            // A streamed WAV may carry a placeholder size: take what is there.
            const qsizetype available = wav.size() - pos - 8;
            if (size > quint32(available))
                size = quint32(available);
            const qsizetype frame = qsizetype(channels) * (bits / 8);
            const qsizetype lead = qsizetype(leadSeconds * sampleRate) * frame;
            const qsizetype tail = qsizetype(tailSeconds * sampleRate) * frame;
            // 8-bit PCM is unsigned: its silence is 0x80.
            const char silence = bits == 8 ? char(0x80) : char(0);
            QByteArray data = QByteArray(lead, silence) + wav.mid(pos + 8, size) + QByteArray(tail, silence);
            QByteArray out = wav.left(pos);
            char le[4];
            qToLittleEndian<quint32>(quint32(data.size()), le);
            out += "data";
            out += QByteArray(le, 4);
            out += data;
            qToLittleEndian<quint32>(quint32(out.size() - 8), le);
            out.replace(4, 4, QByteArray(le, 4));
            return out;
        }
        pos += 8 + size + (size & 1);
    }
    return wav;
}
