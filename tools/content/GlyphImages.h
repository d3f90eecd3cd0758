#pragma once
#include "ContentSources.h"

#include <QString>

// The KK glyph images: for every code of the glyph map, the symbol it stands
// for drawn as a GIF named by the glyph-name rule, in symbol/font_b (for
// height 48) and symbol/font_s (for height 27). All glyphs of a set share one
// height and baseline, so a run of them reads as one line of type.
bool WriteGlyphImages(const QList<KeyedLine>& glyphs, const QString& symbolDir, const QString& fontFamily,
                      QString* error);

// The font family used when none is asked for.
QString DefaultGlyphFont();
