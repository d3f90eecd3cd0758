#pragma once
#include <QString>

// Values that a generated page puts between quotes. Ordinary words come back
// unchanged, so ordinary content gives exactly the classic page texts; a word
// like "don't" no longer ends the string or attribute it stands in.
namespace ValueQuoting {

// A value placed inside a single-quoted JavaScript string in a script block.
// Ordinary words come back unchanged; an apostrophe, a backslash, a line end or
// "</" is escaped so the string, and the script around it, stay intact.
QString JsString(const QString& value);
// A value placed inside a single-quoted HTML attribute (links, names, ids).
QString Attribute(const QString& value);
// A value placed inside a single-quoted JavaScript string that itself stands
// in a double-quoted event attribute ("javascript:location.href='cmd:...';").
QString JsInAttribute(const QString& value);

}
