#pragma once
#include <QString>

// The example-word table of the main window: for the selected letter set and
// sound, each word with a speaker that plays it, its KK transcription drawn
// as glyphs and its meaning. Vowel words are found by their letter set and
// sound; consonant words through the sound code of the pair.

// Square brackets of a stored transcription become parentheses, so they are
// drawn with the parenthesis glyphs.
QString TransWordsMap(const QString& transcription);

// One word row in the colour of its position (0 white, 1 green, ...), CR LF
// after each line; the speaker link's command is the word itself.
QString WordRowHtml(int position, const QString& word, const QString& glyphHtml, const QString& meaning);

struct WordTable {
    QString html;
    int rows = 0;  // words shown; none means the learner is told so
};
// key is a word key of GetWordKey; first and second are the main and sub
// values of the lists (letter set and sound in one order or the other).
WordTable BuildWordTable(const QString& key, const QString& first, const QString& second);
