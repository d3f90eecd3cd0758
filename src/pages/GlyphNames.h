#pragma once
#include <QChar>
#include <QString>

// The glyph image name of one transcription character (case-sensitive):
// "(" left, ")" right, "5" first, "7"/"9" second, ":" long, "b_X" for a
// capital letter, "s_x" for a small one, any other character itself.
QString GlyphName(QChar c);
