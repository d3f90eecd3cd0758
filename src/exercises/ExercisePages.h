#pragma once
#include <QString>

// The exercise pages of the three list exercises, built from the content
// database for a chosen unit. An empty unit code gives the bare page: frame
// and body tag, no table. Every item of the unit (matched by prefix) is one
// row, in the order the database returns them, alternating white and orange.

// Read-along with phonics items: speaker (item's mp3), text, transcription.
QString Exercise1Page(const QString& unitCode);
// Read-along with example words: speaker (the word), word, transcription, meaning.
QString Exercise2Page(const QString& unitCode);
// Pick the transcription of a spoken word among four: speaker, word, four
// radio-button options with their mark places, then the judging script.
QString Exercise3Page(const QString& unitCode);
