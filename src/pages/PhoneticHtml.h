#pragma once
#include <QString>

// KK transcriptions are never shown as text: each character is drawn as a
// small glyph image. Heights below 30 take the small glyph set (font_s),
// 30 and above the large one (font_b).

// The glyph folder base of every page: DataFolderUrl() + "/symbol/".
QString GlyphBase();

// The whole transcription as image tags; a space becomes "&nbsp;&nbsp;".
QString GetPhoneticHtml(const QString& glyphBase, const QString& transcription, qint16 height);

// Replaces the parenthesised transcriptions inside a longer text (a rule
// page) by glyph images and copies everything else. A "(" starts a
// transcription only when the next character is a letter, "5", "7", "9" or
// ":" and the one after it also qualifies (or is ")"), so parentheses around
// Chinese words or spaces stay text.
QString ReplacePhoneticInHtml(const QString& glyphBase, const QString& text, qint16 height);
