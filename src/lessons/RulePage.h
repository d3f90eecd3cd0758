#pragma once
#include <QString>

// Rule pages: one Big5 HTML page per letter set and sound, stored scrambled
// as xtm/<name>.xtm in the data folder beside one shared stylesheet.

QString RulePagePath(const QString& pageName);
QString RuleStylesheetPath();

// The page as shown: de-scrambled, its parenthesised transcriptions drawn as
// glyphs, the stylesheet inserted after </head> and the plain <body> given
// the view's margins. Empty when the page file does not exist.
QString BuildRulePage(const QString& pageName);
// The same from the page's file text and the stylesheet text.
QString RulePageFromText(const QString& fileText, const QString& stylesheet);
