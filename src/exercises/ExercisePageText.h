#pragma once
#include "pages/ValueQuoting.h"

#include <QString>
#include <functional>

class RecordSet;

// Pieces shared by the exercise pages and unit lists: value quoting, picture
// addresses, the speaker cell and the frame of the generated pages.
namespace ExercisePage {

// Values inside quotes are escaped by the shared page rules.
using ValueQuoting::Attribute;
using ValueQuoting::JsInAttribute;
using ValueQuoting::JsString;

// The data folder's picture address of a file: "file:///" + folder + "/pic/" + name.
QString PictureUrl(const QString& fileName);

// Cell colours of the alternating rows: white for the first record, orange
// for the second, and so on.
QString RowColour(int recordNumber);
inline bool IsWhiteRow(int recordNumber) { return recordNumber % 2 == 0; }

// The speaker cell of a row: the exercise's opening string (ending in
// "<a href='cmd:"), the sound name, then the small speaker icon with its
// hover and press pictures and the closing of link and cell.
QString SpeakerCell(const QString& opening, const QString& soundName);

// A whole page: frame header on white, the given body tag and CR LF, the
// content, frame footer.
QString Page(const QString& bodyTag, const QString& content);

// The item table of exercises 1 to 3: the table opening, one row per record
// of the query (row gets the 0-based record number and the record), in the
// order the database returns them, and the table's closing line. A query
// that cannot be run gives a table without rows.
using RowBuilder = std::function<QString(int recordNumber, const RecordSet& record)>;
QString ItemTable(const QString& sql, const RowBuilder& row);

}  // namespace ExercisePage
