#pragma once
#include <QString>
#include <QStringList>

// Exercise 4, listen and spell: the unit's word sequence, the word on show
// with its hints, and its page with the judging script.

// At most this many words of a unit take part; later ones are never asked.
inline constexpr int kMaxSpellingWords = 200;

// The trimmed words of the unit's records, in the order the database
// returns them, cut after kMaxSpellingWords.
QStringList SpellingWordSequence(const QString& unitCode);

// The word on show and what its page needs.
struct SpellingWord {
    QString word;      // as stored (trimmed); also its sound name
    QString phonetic;  // the whole transcription (hint 3)
    QString priKk;     // the sound the word illustrates (hint 2); Null reads empty
    QString nextWord;  // empty: this is the last word of the range
};

// Finds currentWord in the sequence (empty: the first word; a word stored
// twice is found at its first place) and reads its record. A current word
// that is not in the sequence gives empty values and no next word. A word
// whose record the word query does not find is shown without hints.
SpellingWord ReadSpellingWord(const QStringList& sequence, const QString& currentWord);

// The exercise page. An empty unit code gives the bare page (frame and body
// tag). Without a next word the page has no next button.
QString SpellingPage(const QString& unitCode, const SpellingWord& shown);
