#pragma once
#include "ContentSources.h"

#include <QList>
#include <QString>

#include <functional>

// Every recording the data folder needs (xp3/<name>.xp3) and where it comes
// from: a human recording in recordings/ wins, then a line of
// sound-phonemes.tsv (espeak phoneme input), then the text itself (words and
// items). Lesson sounds have no text to fall back on.
enum class RecordingSource { Human, Phonemes, Text, None };

struct RecordingNeed {
    QString name;
    RecordingSource source = RecordingSource::None;
    QString input;  // file path, phoneme input or text
    QString what;   // "lesson sound", "item" or "word", for messages
    QString file;   // where it is first asked for
    int line = 0;
};

// In the order the tables first ask for them, one entry per name.
QList<RecordingNeed> PlanRecordings(const ContentSources& sources);

struct SynthesisOptions {
    QString cacheDir;
    int jobs = 2;
    std::function<void(const QString&)> progress;  // one line of progress text
};

// Writes xp3Dir/<name>.xp3 for every need: the MP3 (copied or synthesised,
// cached by input) with its first bytes scrambled. Synthesis runs espeak-ng
// and lame in at most options.jobs processes at once.
bool MakeRecordings(const QList<RecordingNeed>& needs, const QString& xp3Dir,
                    const SynthesisOptions& options, QString* error);

// Adds silence before and after the samples of a PCM WAV file's bytes; the
// bytes unchanged when they are no PCM WAV.
QByteArray PadWav(const QByteArray& wav, double leadSeconds, double tailSeconds);
