#pragma once
#include "ContentSources.h"

#include <QList>
#include <QString>

// Everything that would make the built data folder wrong or incomplete: the
// reading faults of the sources, then table by table the rules of the
// content format (pages, recordings, glyphs, units, sound codes, keys, Big5).
// Warnings point at things that are legal but probably unintended.
QList<Fault> CheckContent(const ContentSources& sources);

// A transcription found in a rule page: "(" followed by two characters that
// make it one, up to the next ")".
struct PageTranscription {
    int line = 0;
    QString text;   // between the parentheses
    bool closed = true;
};
QList<PageTranscription> TranscriptionsInPage(const QString& page);

// Whether a name can be a recording's file name on every platform.
bool IsValidRecordingName(const QString& name);
