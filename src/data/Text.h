#pragma once
#include <QString>

// Removes leading and trailing blanks (spaces only, not tabs or line ends),
// the trimming every reader of content values and settings applies.
inline QString TrimBlanks(const QString& s)
{
    qsizetype b = 0, e = s.size();
    while (b < e && s.at(b) == QLatin1Char(' '))
        ++b;
    while (e > b && s.at(e - 1) == QLatin1Char(' '))
        --e;
    return s.mid(b, e - b);
}
