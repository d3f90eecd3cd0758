#pragma once
#include <QChar>
#include <QString>

// The unit list on the left of every exercise window: one clickable row per
// unit of the exercise's prefix, in the order the database returns them; a
// click navigates to "cmd:" + unit code. The chosen unit's cells carry the
// orange highlight.

// Exercise 1 to 4 → "E", "P", "K", "S".
QChar UnitPrefix(int exercise);

// The whole page for webSelect. selectedUnit empty: no row highlighted.
QString UnitListPage(int exercise, const QString& selectedUnit);

// One row (ending in CR LF, exercise 3's spacer row included) for a unit
// with trimmed code and title as read from p_unit.
QString UnitListRow(int exercise, const QString& unitCode, const QString& title, bool selected);
