#include "ExercisePages.h"

#include "ExercisePageText.h"
#include "app/AppValues.h"
#include "data/RecordSet.h"
#include "data/SqlTexts.h"
#include "pages/PageFrame.h"
#include "pages/PhoneticHtml.h"

#include <QRegularExpression>

using namespace ExercisePage;

namespace {
const QString kRowStart = QStringLiteral(" <tr>");
const QString kRowEnd = QStringLiteral(" </tr>");
const QString kCellEnd = QStringLiteral("     </td>");
constexpr int kSmallGlyphs = 27;

QString Field(const RecordSet& rs, const char* name) { return rs.Trimmed(QString::fromLatin1(name)); }

// The item text font; the orange word cell and the meaning cell of exercise 2
// carry two blanks before font-size.
QString TextFont(const QString& text, bool twoBlanks = false)
{
    return QStringLiteral("         <font style='FONT-FAMILY: Arial;") + (twoBlanks ? QStringLiteral("  ") : QStringLiteral(" "))
        + QStringLiteral("font-size: ") + App().PageFontSize + QStringLiteral(";'>") + text + QStringLiteral("</font>");
}

QString Glyphs(const QString& transcription) { return GetPhoneticHtml(GlyphBase(), transcription, kSmallGlyphs); }

QString Exercise1Row(int n, const RecordSet& rs)
{
    const QString colour = RowColour(n);
    // The speaker cell is narrower in orange rows.
    const QString width = IsWhiteRow(n) ? QStringLiteral("10%") : QStringLiteral("7%");
    return kRowStart
        + SpeakerCell(QStringLiteral("     <td align='center' width='") + width + QStringLiteral("' bgcolor='") + colour
                          + QStringLiteral("'><a href='cmd:"),
                      Field(rs, "mp3"))
        + QStringLiteral("     <td width='50%' height='40' bgcolor='") + colour + QStringLiteral("'>") + TextFont(Field(rs, "data2show1"))
        + kCellEnd + QStringLiteral("     <td width='40%' bgcolor='") + colour + QStringLiteral("'>") + Glyphs(Field(rs, "data2show2"))
        + kCellEnd + kRowEnd;
}

QString Exercise2Row(int n, const RecordSet& rs)
{
    const QString colour = RowColour(n);
    const QString word = Field(rs, "word");
    const QString cellOpening = QStringLiteral("     <td width='31%' bgcolor='") + colour + QStringLiteral("'>");
    return kRowStart
        + SpeakerCell(QStringLiteral("     <td height='40' align='center' width='7%' bgcolor='") + colour
                          + QStringLiteral("'><a href='cmd:"),
                      word)
        + cellOpening + TextFont(word, !IsWhiteRow(n)) + kCellEnd + cellOpening + Glyphs(Field(rs, "phonetic")) + kCellEnd + cellOpening
        + TextFont(Field(rs, "meaning"), true) + kCellEnd + kRowEnd;
}

QString Exercise3Row(int n, const RecordSet& rs)
{
    const QString colour = RowColour(n);
    const QString word = Field(rs, "word");
    const QString question = QString::number(n + 1);
    QString row = kRowStart
        + SpeakerCell(QStringLiteral("     <td height='40' align='center' width='10%' bgcolor='") + colour
                          + QStringLiteral("'><a href='cmd:"),
                      word)
        + QStringLiteral("     <td width='30%' bgcolor='") + colour + QStringLiteral("'>") + TextFont(word) + kCellEnd;
    for (int k = 1; k <= 4; ++k) {
        const QString option = QString::number(k);
        row += QStringLiteral("     <td width='2%' bgcolor='") + colour + QStringLiteral("'>")
            + QStringLiteral("        <input type='radio' name='opt_") + Attribute(word) + QStringLiteral("' id='opt_") + Attribute(word)
            + QLatin1Char('_') + option + QStringLiteral("' onclick=\"javascript:checkAnswer(") + question + QLatin1Char(',') + option
            + QStringLiteral(");\">") + kCellEnd;
        row += QStringLiteral("     <td width='13%' bgcolor='") + colour + QStringLiteral("'><font id='optfield_") + question
            + QLatin1Char('_') + option + QStringLiteral("'></font>") + Glyphs(rs.Trimmed(QStringLiteral("opt") + option))
            + kCellEnd;
    }
    return row + kRowEnd;
}

// The answer goes into the script as a bare number. Anything else would be
// script text, so it is written as a quoted string instead: the script stays
// valid and no option matches it.
QString AnswerValue(const QString& answer)
{
    static const QRegularExpression bareNumber(QStringLiteral("^[0-9]+$"));
    if (bareNumber.match(answer).hasMatch())
        return answer;
    return QLatin1Char('\'') + JsString(answer) + QLatin1Char('\'');
}

// The judging script after the table, with one answer line per question
// (each ending in CR LF, and one more line end after them).
QString Exercise3Script(const QString& answerLines)
{
    const auto mark = [](const char* picture) {
        return QStringLiteral("\"<img src='") + PictureUrl(QString::fromLatin1(picture)) + QStringLiteral("'>\"");
    };
    const QStringList lines = {
        QStringLiteral("<script type='text/JavaScript'>"),
        QStringLiteral("<!--"),
        QStringLiteral(" var tmpWord = new Array(300);"),
        answerLines,
        QStringLiteral(" function checkAnswer(pIndex,pAns)"),
        QStringLiteral(" {"),
        QStringLiteral("     var thisField = 'optfield_' + pIndex + '_' + pAns;"),
        QStringLiteral("     if (tmpWord[pIndex] == pAns)"),
        QStringLiteral("     {"),
        QStringLiteral("         document.getElementById(thisField).innerHTML = ") + mark("ans_ok.gif") + QStringLiteral(";"),
        QStringLiteral("         location.href='cmd:ANS:Y';"),
        QStringLiteral("     }"),
        QStringLiteral("     else"),
        QStringLiteral("     {"),
        QStringLiteral("         document.getElementById(thisField).innerHTML = ") + mark("ans_err.gif") + QStringLiteral(";"),
        QStringLiteral("         location.href='cmd:ANS:N';"),
        QStringLiteral("     }"),
        QStringLiteral(" }"),
        QStringLiteral("//-->"),
        QStringLiteral("</script>"),
    };
    return lines.join(Crlf()) + Crlf();
}
}

QString Exercise1Page(const QString& unitCode)
{
    if (unitCode.isEmpty())
        return Page(BodyTagScrolling(), QString());
    return Page(BodyTagScrolling(), ItemTable(Sql::BeginnerItems(unitCode), Exercise1Row));
}

QString Exercise2Page(const QString& unitCode)
{
    if (unitCode.isEmpty())
        return Page(BodyTagScrolling(), QString());
    return Page(BodyTagScrolling(), ItemTable(Sql::Exercise2Words(unitCode), Exercise2Row));
}

QString Exercise3Page(const QString& unitCode)
{
    if (unitCode.isEmpty())
        return Page(BodyTagScrolling(), QString());
    QString answerLines;
    const QString table = ItemTable(Sql::Exercise3Questions(unitCode), [&answerLines](int n, const RecordSet& rs) {
        answerLines += QStringLiteral("tmpWord[") + QString::number(n + 1) + QStringLiteral("] = ") + AnswerValue(Field(rs, "answer"))
            + QStringLiteral(";") + Crlf();
        return Exercise3Row(n, rs);
    });
    return Page(BodyTagScrolling(), table + Exercise3Script(answerLines));
}
