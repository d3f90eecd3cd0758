#include "UnitListPage.h"

#include "ExercisePageText.h"
#include "app/AppValues.h"
#include "data/RecordSet.h"
#include "data/SqlTexts.h"
#include "pages/PageFrame.h"
#include "pages/PhoneticHtml.h"

namespace {
const QString kVowelLabel = QStringLiteral("母音：");
const QString kConsonantLabel = QStringLiteral("子音：");

struct Cell {
    const char* tag;
    const char* cursor;
    const char* highlight;
    QString content;
};

QString FontOpening()
{
    return QStringLiteral("><font style='font-family:Arial; font-size: ") + App().PageFontSize + QStringLiteral(";'>");
}

// The chosen unit's colour joins the cell's own style attribute: written as
// a second style attribute on the same tag, the HTML parser drops it and the
// chosen unit never shows as chosen.
QString CellStyle(const Cell& cell, bool selected)
{
    QString style = QString::fromLatin1(cell.cursor);
    if (!selected)
        return style;
    const QString highlight = QString::fromLatin1(cell.highlight).trimmed();  // style='…'
    QString declarations = highlight.mid(7, highlight.size() - 8);
    if (!declarations.endsWith(QLatin1Char(';')))
        declarations += QLatin1Char(';');
    style.insert(style.lastIndexOf(QLatin1Char('\'')), QLatin1Char(' ') + declarations);
    return style;
}

QString CellText(const Cell& cell, const QString& unitCode, bool selected)
{
    return QString::fromLatin1(cell.tag) + QStringLiteral("\"javascript:location.href='cmd:") + ExercisePage::JsInAttribute(unitCode)
        + QStringLiteral("';\"") + CellStyle(cell, selected) + cell.content + QStringLiteral("     </td>");
}

// Exercise 2's titles name the sound group ("母音：" or "子音：") followed by
// the sound's bracketed transcription; the label goes to the first cell and
// the rest, drawn as glyphs, to the second.
void SplitSoundTitle(const QString& title, QString* label, QString* rest)
{
    label->clear();
    if (title.contains(kVowelLabel))
        *label = kVowelLabel;
    if (title.contains(kConsonantLabel))
        *label = kConsonantLabel;
    *rest = title;
    if (!label->isEmpty())
        rest->remove(*label);
}
}

QChar UnitPrefix(int exercise)
{
    switch (exercise) {
    case 1:
        return QLatin1Char('E');
    case 2:
        return QLatin1Char('P');
    case 3:
        return QLatin1Char('K');
    default:
        return QLatin1Char('S');
    }
}

QString UnitListRow(int exercise, const QString& unitCode, const QString& title, bool selected)
{
    const QString number = unitCode.mid(1, 2);
    QString descript = title;
    descript.remove(QLatin1Char(' '));
    const QString fo = FontOpening();

    QString row = QStringLiteral(" <tr onmouseover=\"javascript:this.style.background='#D7EEFF';\" "
                                 "onmouseout=\"javascript:this.style.background='#FFFFFF';\">");
    switch (exercise) {
    case 1:
        row += CellText({"     <td width='100%' height='40' align='left' onclick=", " style='cursor: pointer;' ",
                         " style='background-color: #FFCA95' ", fo + number + QLatin1Char('.') + descript + QStringLiteral("</font>")},
                        unitCode, selected);
        break;
    case 2: {
        QString label, rest;
        SplitSoundTitle(descript, &label, &rest);
        row += CellText({"     <td width='25%' height='40' align='right' valign='top' onclick=",
                         " style='cursor: pointer; padding-top:15px;' ", " style='background-color: #FFCA95;' ",
                         fo + number + QLatin1Char('.') + label + QStringLiteral("</font>")},
                        unitCode, selected);
        row += CellText({"     <td width='75%' height='40' align='left' valign='top' onclick=",
                         " style='cursor: pointer; padding-top:10px;' ", " style='background-color: #FFCA95;' ",
                         QStringLiteral(">") + ReplacePhoneticInHtml(GlyphBase(), rest, 27)},
                        unitCode, selected);
        break;
    }
    default: {
        const char* numberCell = exercise == 3 ? "     <td width='10%' height='40' align='left' valign='middle' onclick="
                                               : "     <td width='10%' height='38' align='left' valign='middle' onclick=";
        row += CellText({numberCell, " style='cursor: pointer;' ", " style='background-color: #FFCA95;' ",
                         fo + number + QStringLiteral(".</font>")},
                        unitCode, selected);
        row += CellText({"     <td width='90%' align='left' valign='middle' onclick=", " style='cursor: pointer;' ",
                         " style='background-color: #FFCA95;' ", fo + descript + QStringLiteral("</font>")},
                        unitCode, selected);
        break;
    }
    }
    row += QStringLiteral(" </tr>") + Crlf();
    if (exercise == 3)
        row += QStringLiteral(" <tr><td height='5'></td></tr>") + Crlf();
    return row;
}

QString UnitListPage(int exercise, const QString& selectedUnit)
{
    QString content = QStringLiteral("<table width='100%' cellspacing='0' cellpadding='0'>") + Crlf();
    RecordSet rs(Sql::Units(UnitPrefix(exercise)));
    for (; !rs.EndOfData(); rs.MoveNext()) {
        const QString code = rs.Trimmed(QStringLiteral("unitcode"));
        content += UnitListRow(exercise, code, rs.Trimmed(QStringLiteral("descript")), code == selectedUnit);
    }
    content += QStringLiteral("</table>") + Crlf();
    return ExercisePage::Page(BodyTagScrolling(), content);
}
