#pragma once
#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>

#include <optional>

// The curriculum sources of a content folder, read as the curriculum author
// writes them (UTF-8 text, one TSV file per table, one HTML file per rule
// page), with every fault found while reading.

struct Fault {
    QString file;  // path as given on the command line
    int line = 0;  // 1-based; 0 when the fault concerns the whole file
    QString message;
    bool warning = false;
    QString text() const;  // "file:line: message" (or "file: message")
};

// One column of the content database.
struct ColumnSpec {
    QString name;
    bool integer = false;
    bool nullable = false;  // may be \N
};

struct TableSpec {
    QString name;
    QList<ColumnSpec> columns;
    QStringList columnNames() const;
};

// The tables the program reads, with their columns as the program spells them.
const QList<TableSpec>& ContentTables();
const TableSpec* FindTableSpec(const QString& name);

// A cell: text, or Null (\N in the file).
using Cell = std::optional<QString>;

struct TsvRow {
    int line = 0;
    QList<Cell> cells;
};

struct TsvTable {
    QString path;
    bool present = false;
    int headerLine = 0;
    QStringList header;
    QList<TsvRow> rows;  // only rows with the right number of cells

    int column(const QString& name) const { return header.indexOf(name); }
    // The cell of a row by column name; Null when the column is unknown.
    Cell cell(const TsvRow& row, const QString& name) const;
    QString text(const TsvRow& row, const QString& name) const { return cell(row, name).value_or(QString()); }
};

// A line of glyphs.tsv or sound-phonemes.tsv.
struct KeyedLine {
    int line = 0;
    QString key;
    QString value;
    QString description;
};

struct ContentSources {
    QString dir;
    QMap<QString, TsvTable> tables;    // by table name
    QList<KeyedLine> glyphs;           // code -> KK symbol
    QString glyphsPath;
    QList<KeyedLine> phonemes;         // lesson sound name -> espeak phoneme input
    QString phonemesPath;
    QString rulesDir;
    QString cssPath;
    QString recordingsDir;
    QList<Fault> faults;               // found while reading

    const TsvTable& table(const QString& name) const;
    QString path(const QString& relative) const;
    std::optional<KeyedLine> glyph(QChar code) const;
    std::optional<KeyedLine> phoneme(const QString& name) const;
    QString rulePagePath(const QString& htm) const;
    QString humanRecordingPath(const QString& name) const;
};

// Whether the folder holds any table at all (a content folder still waiting
// for its curriculum holds none).
bool HasContentTables(const QString& contentDir);

ContentSources LoadContentSources(const QString& contentDir);

// Reads a whole UTF-8 text file; nullopt when it cannot be read, with a fault
// appended when it is not valid UTF-8 (the text is still returned).
std::optional<QString> ReadUtf8File(const QString& path, QList<Fault>* faults);
