#include "ContentSources.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

QString Fault::text() const
{
    const QString where = line > 0 ? file + QLatin1Char(':') + QString::number(line) : file;
    return where + (warning ? QStringLiteral(": warning: ") : QStringLiteral(": ")) + message;
}

QStringList TableSpec::columnNames() const
{
    QStringList names;
    for (const ColumnSpec& c : columns)
        names << c.name;
    return names;
}

const QList<TableSpec>& ContentTables()
{
    static const QList<TableSpec> tables = [] {
        const auto text = [](const char* n) { return ColumnSpec{QString::fromLatin1(n), false, false}; };
        const auto nullable = [](const char* n) { return ColumnSpec{QString::fromLatin1(n), false, true}; };
        const auto integer = [](const char* n) { return ColumnSpec{QString::fromLatin1(n), true, false}; };
        const QList<ColumnSpec> soundRows = {text("letter_set"), text("sound"), integer("set_order"),
                                             text("mp3"), text("htm")};
        return QList<TableSpec>{
            {QStringLiteral("vowels_sound"), soundRows},
            {QStringLiteral("consonants_sound"), soundRows},
            {QStringLiteral("w_sound"), {text("Letter_set"), text("kk"), text("scode")}},
            {QStringLiteral("jwords"),
             {text("word"), text("phonetic"), text("meaning"), nullable("pri_char"), nullable("pri_kk"),
              text("snd_word"), text("P_UNIT"), text("S_UNIT")}},
            {QStringLiteral("p_unit"), {text("unitcode"), text("descript")}},
            {QStringLiteral("beginner"),
             {text("unitcode"), nullable("data2show1"), nullable("data2show2"), nullable("mp3")}},
            {QStringLiteral("kk_reco"),
             {text("unitcode"), text("word"), text("opt1"), text("opt2"), text("opt3"), text("opt4"),
              integer("answer")}},
        };
    }();
    return tables;
}

const TableSpec* FindTableSpec(const QString& name)
{
    for (const TableSpec& t : ContentTables())
        if (t.name == name)
            return &t;
    return nullptr;
}

Cell TsvTable::cell(const TsvRow& row, const QString& name) const
{
    const int i = column(name);
    if (i < 0 || i >= row.cells.size())
        return std::nullopt;
    return row.cells.at(i);
}

const TsvTable& ContentSources::table(const QString& name) const
{
    static const TsvTable empty;
    const auto it = tables.constFind(name);
    return it == tables.constEnd() ? empty : *it;
}

QString ContentSources::path(const QString& relative) const { return QDir(dir).filePath(relative); }

std::optional<KeyedLine> ContentSources::glyph(QChar code) const
{
    for (const KeyedLine& g : glyphs)
        if (g.key == QString(code))
            return g;
    return std::nullopt;
}

std::optional<KeyedLine> ContentSources::phoneme(const QString& name) const
{
    for (const KeyedLine& p : phonemes)
        if (p.key == name)
            return p;
    return std::nullopt;
}

QString ContentSources::rulePagePath(const QString& htm) const
{
    return QDir(rulesDir).filePath(htm + QStringLiteral(".html"));
}

QString ContentSources::humanRecordingPath(const QString& name) const
{
    return QDir(recordingsDir).filePath(name + QStringLiteral(".mp3"));
}

std::optional<QString> ReadUtf8File(const QString& path, QList<Fault>* faults)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray bytes = f.readAll();
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8.decode(bytes);
    if (utf8.hasError() && faults) {
        // Name the first bad line: decode line by line until one fails.
        int line = 1;
        for (const QByteArray& l : bytes.split('\n')) {
            QStringDecoder d(QStringDecoder::Utf8);
            (void)QString(d.decode(l));
            if (d.hasError())
                break;
            ++line;
        }
        faults->append({path, line, QStringLiteral("not valid UTF-8 text")});
    }
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    return text;
}

namespace {

// The lines of a text file with their numbers, without comments and blanks.
QList<QPair<int, QString>> ContentLines(const QString& text)
{
    QList<QPair<int, QString>> lines;
    const QStringList all = text.split(QLatin1Char('\n'));
    for (int i = 0; i < all.size(); ++i) {
        QString l = all.at(i);
        if (l.endsWith(QLatin1Char('\r')))
            l.chop(1);
        if (l.startsWith(QLatin1Char('#')) || l.trimmed().isEmpty())
            continue;
        lines.append({i + 1, l});
    }
    return lines;
}

TsvTable ReadTable(const QString& path, const TableSpec& layout, QList<Fault>* faults)
{
    TsvTable t;
    t.path = path;
    const std::optional<QString> text = ReadUtf8File(path, faults);
    if (!text) {
        faults->append({path, 0, QStringLiteral("table file missing or unreadable")});
        return t;
    }
    t.present = true;
    const auto lines = ContentLines(*text);
    if (lines.isEmpty()) {
        faults->append({path, 0, QStringLiteral("no column names line")});
        return t;
    }
    t.headerLine = lines.first().first;
    t.header = lines.first().second.split(QLatin1Char('\t'));
    const QStringList expected = layout.columnNames();
    if (t.header != expected) {
        faults->append({path, t.headerLine,
                        QStringLiteral("column names are \"%1\", expected \"%2\" (tab-separated)")
                            .arg(t.header.join(QLatin1Char(' ')), expected.join(QLatin1Char(' ')))});
        // Rows cannot be read column by column without the right columns.
        t.header.clear();
        return t;
    }
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const auto& [lineNo, line] = lines.at(i);
        const QStringList parts = line.split(QLatin1Char('\t'));
        if (parts.size() != expected.size()) {
            faults->append({path, lineNo,
                            QStringLiteral("row has %1 cells, expected %2 (%3)")
                                .arg(parts.size())
                                .arg(expected.size())
                                .arg(expected.join(QLatin1Char(' ')))});
            continue;
        }
        TsvRow row;
        row.line = lineNo;
        for (const QString& p : parts)
            row.cells.append(p == QStringLiteral("\\N") ? Cell() : Cell(p));
        t.rows.append(row);
    }
    return t;
}

// code<TAB>symbol<TAB>description, or name<TAB>phoneme input. A first line
// that names the columns is tolerated.
QList<KeyedLine> ReadKeyedFile(const QString& path, const QString& cellsWanted, const QString& headerKey,
                               QList<Fault>* faults)
{
    QList<KeyedLine> out;
    const std::optional<QString> text = ReadUtf8File(path, faults);
    if (!text) {
        faults->append({path, 0, QStringLiteral("file missing or unreadable")});
        return out;
    }
    bool first = true;
    for (const auto& [lineNo, line] : ContentLines(*text)) {
        const QStringList parts = line.split(QLatin1Char('\t'));
        if (first && (parts.first() == headerKey || parts.first().startsWith(headerKey + QLatin1Char(' ')))) {
            first = false;
            continue;
        }
        first = false;
        if (parts.size() < 2 || parts.size() > 3) {
            faults->append({path, lineNo,
                            QStringLiteral("line has %1 cells, expected %2 separated by tabs")
                                .arg(parts.size())
                                .arg(cellsWanted)});
            continue;
        }
        out.append({lineNo, parts.at(0), parts.at(1), parts.value(2)});
    }
    return out;
}

} // namespace

bool HasContentTables(const QString& contentDir)
{
    const QDir tables(QDir(contentDir).filePath(QStringLiteral("tables")));
    return !tables.entryList({QStringLiteral("*.tsv")}, QDir::Files).isEmpty();
}

ContentSources LoadContentSources(const QString& contentDir)
{
    ContentSources s;
    s.dir = contentDir;
    for (const TableSpec& layout : ContentTables()) {
        const QString p = s.path(QStringLiteral("tables/%1.tsv").arg(layout.name));
        s.tables.insert(layout.name, ReadTable(p, layout, &s.faults));
    }
    s.glyphsPath = s.path(QStringLiteral("glyphs.tsv"));
    s.glyphs = ReadKeyedFile(s.glyphsPath, QStringLiteral("code, symbol and description"),
                             QStringLiteral("code"), &s.faults);
    s.phonemesPath = s.path(QStringLiteral("sound-phonemes.tsv"));
    s.phonemes = ReadKeyedFile(s.phonemesPath, QStringLiteral("name and phoneme input"),
                               QStringLiteral("mp3"), &s.faults);
    s.rulesDir = s.path(QStringLiteral("rules"));
    s.cssPath = s.path(QStringLiteral("css/rulestyle.css"));
    s.recordingsDir = s.path(QStringLiteral("recordings"));
    return s;
}
