#pragma once
#include <QString>
#include <QStringList>

// The main window's two lists, built from the sound tables without any window:
// the main list holds the letter sets (ListMode 0) or the sounds (ListMode 1)
// of the vowels (SoundType 0) or consonants (SoundType 1); the sub list holds
// the sounds of the selected letter set, or the letter sets of the selected
// sound. Letter sets are drawn as large text, sounds as glyph images.

// "phsnd1", "phsnd2", "phchr1" or "phchr2": the word query of this selection.
QString GetWordKey(qint16 listMode, qint16 soundType);

// With reset, empties the list and answers false. Otherwise true when word is
// already in the list (exact, case-sensitive); else appends it and answers false.
bool CheckListWordFound(QStringList& lstTemp, const QString& word, bool reset);

QString MainListQuery(qint16 listMode, qint16 soundType);
QString SubListQuery(qint16 listMode, qint16 soundType, const QString& mainValue);

// The cell of a main-list (isMain) or sub-list row showing value.
QString ListCell(qint16 listMode, bool isMain, const QString& value);

struct MainList {
    QStringList values;  // one per row, first occurrences in set_order
    QString mainValue;   // the first row's value, empty without rows
    QString html;
};
// Runs the main-list query; lstTemp is the de-duplication list.
MainList BuildMainList(qint16 listMode, qint16 soundType, QStringList& lstTemp);

struct SubList {
    QStringList values;
    QStringList mp3;  // entry i: the recording of sub row i
    QStringList htm;  // entry i: the rule page of sub row i
    QString subValue;
    QString html;
};
// Runs the sub-list query for mainValue. Records whose key matches mainValue
// only without regard to letter case are skipped.
SubList BuildSubList(qint16 listMode, qint16 soundType, const QString& mainValue, QStringList& lstTemp);

// The row value and index of a list click command "i#value".
struct ListClick {
    qint16 index = 0;
    QString value;
};
ListClick ParseListCommand(const QString& command);
