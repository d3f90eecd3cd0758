#pragma once
#include <QList>
#include <QPair>
#include <QString>

// The skeleton every generated page shares. Pages are single strings with
// CR LF line ends, declared Big5; each builder opens a page with the HEADER
// part, appends one body tag line and its content, and closes it with FOOTER.

inline QString Crlf() { return QStringLiteral("\r\n"); }

// part is "HEADER" or "FOOTER", compared exactly; anything else gives "".
// The background colour only matters for the HEADER.
QString GetHtmlFrame(const QString& part, const QString& background);
// The same frame with the body's border style given (the main window's lists
// use "groove"; GetHtmlFrame uses "none").
QString GetHtmlFrameBorder(const QString& part, const QString& background, const QString& borderStyle);

// The three standard body tags, without a line end. They suppress dragging,
// the context menu and text selection inside the page.
QString BodyTagLists();      // scroll='yes': the main window's two lists
QString BodyTagScrolling();  // scroll='auto': word table, selection and exercise pages
QString BodyTagFixed();      // scroll='no': the spelling exercise page

// The table opening of the main window's pages, in App().PageFontSize, with CR LF.
QString StandardTableOpening();

// The main window's selectable-row list page, complete: frame (white,
// "groove" border), list body tag, the row-colour script, the table with one
// row per (value, cell content) pair numbered from 0, the script that paints
// row 0 as selected, and the footer. A click on row i navigates to
// "cmd:" + i + "#" + value.
QString SelectableListPage(const QList<QPair<QString, QString>>& rows);
// One row of that page (without its line end), for builders that need it alone.
QString SelectableListRow(int index, const QString& value, const QString& cellContent);
