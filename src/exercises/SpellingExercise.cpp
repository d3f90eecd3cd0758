#include "SpellingExercise.h"

#include "ExercisePageText.h"
#include "data/RecordSet.h"
#include "data/SqlTexts.h"
#include "pages/PageFrame.h"
#include "pages/PhoneticHtml.h"

using namespace ExercisePage;

namespace {
constexpr int kLargeGlyphs = 48;
const QString kRowStyle = QStringLiteral(" <tr style='font-family: Arial; font-size: 15px; color:#0000FF'>");
const QString kSpacerRow = QStringLiteral(" <tr><td width='100%' colspan='2' height='15'></td></tr>");
const QString kButtonCell = QStringLiteral("<td width='75%' align='right' style='padding-right:60px;'>");
const QString kEmptyButtonRowCell = QStringLiteral("<td width='25%' align='center' height='50'></td>");

// A mouse handler that swaps the image's picture.
QString Swap(const QString& picture)
{
    return QStringLiteral("\"javascript:this.src='") + PictureUrl(picture) + QStringLiteral("';\"");
}

// The picture of a button with its normal, hover and pressed states, as the
// answer, next and hint buttons carry them.
QString ButtonImage(const QString& stem, const QString& name)
{
    const QString normal = stem + QStringLiteral("_normal.jpg");
    return QStringLiteral("<img src='") + PictureUrl(normal) + QStringLiteral("' border='0'")
        + (name.isEmpty() ? QString() : QStringLiteral(" name='") + name + QLatin1Char('\'')) + QStringLiteral(" onmouseout=")
        + Swap(normal) + QStringLiteral(" onmouseover=") + Swap(stem + QStringLiteral("_over.jpg")) + QStringLiteral(" onmousedown=")
        + Swap(stem + QStringLiteral("_click.jpg")) + QStringLiteral(" onmouseup=") + Swap(normal) + QLatin1Char('>');
}

QString SpeakerButton(const QString& word)
{
    return QStringLiteral("<a href='cmd:") + Attribute(word) + QStringLiteral("'><img src='") + PictureUrl(QStringLiteral("speaker_b_normal.jpg"))
        + QStringLiteral("' onmousemove=") + Swap(QStringLiteral("speaker_b_over.jpg")) + QStringLiteral(" onmouseout=")
        + Swap(QStringLiteral("speaker_b_normal.jpg")) + QStringLiteral(" onmousedown=") + Swap(QStringLiteral("speaker_b_click.jpg"))
        + QStringLiteral(" border='0'></a></td>");
}

QString Script(const QString& unitCode, const SpellingWord& shown)
{
    const QStringList lines = {
        QStringLiteral("<script type='text/JavaScript'>"),
        QStringLiteral("<!--"),
        QStringLiteral(" var tmpWordIndex = 1;"),
        QStringLiteral(" var tmpWord = '") + JsString(shown.word) + QStringLiteral("';"),
        QStringLiteral(" function hintTextShow(pType,pObj)"),
        QStringLiteral(" {"),
        QStringLiteral("     if (pType == '1')"),
        QStringLiteral("     {"),
        QStringLiteral("         if (document.getElementById(pObj).style.display == 'none')"),
        QStringLiteral("         {"),
        QStringLiteral("             document.getElementById(pObj).style.display = 'inline';"),
        QStringLiteral("         }"),
        QStringLiteral("         else"),
        QStringLiteral("         {"),
        QStringLiteral("             document.getElementById(pObj).style.display = 'none';"),
        QStringLiteral("         }"),
        QStringLiteral("     }"),
        QStringLiteral("     if (pType == '2')"),
        QStringLiteral("     {"),
        QStringLiteral("         document.getElementById(pObj).innerHTML = tmpWord.substring(0, tmpWordIndex);"),
        QStringLiteral("         if (tmpWordIndex < tmpWord.length)"),
        QStringLiteral("         {"),
        QStringLiteral("             tmpWordIndex = tmpWordIndex + 1;"),
        QStringLiteral("         }"),
        QStringLiteral("     }"),
        QStringLiteral("     document.getElementById('inputword').focus();"),
        QStringLiteral(" }"),
        QStringLiteral(" function checkAnswer()"),
        QStringLiteral(" {"),
        QStringLiteral("     var nextId = '") + JsString(shown.nextWord) + QStringLiteral("';"),
        QStringLiteral("     if (document.getElementById('inputword').value == tmpWord)"),
        QStringLiteral("     {"),
        QStringLiteral("         if (nextId != '')"),
        QStringLiteral("         {"),
        QStringLiteral("             location.href='cmd:ANS:Y:") + JsString(unitCode) + QStringLiteral(",' + nextId;"),
        QStringLiteral("         }"),
        QStringLiteral("         else"),
        QStringLiteral("         {"),
        QStringLiteral("             location.href='cmd:ANS:R';"),
        QStringLiteral("         }"),
        QStringLiteral("     }"),
        QStringLiteral("     else"),
        QStringLiteral("     {"),
        QStringLiteral("         location.href='cmd:ANS:N';"),
        QStringLiteral("         document.getElementById('inputword').focus();"),
        QStringLiteral("     }"),
        QStringLiteral(" }"),
        QStringLiteral(" function checkPressKey()"),
        QStringLiteral(" {"),
        QStringLiteral("     if (window.event.keyCode == 13)"),
        QStringLiteral("     {"),
        QStringLiteral("         window.event.keyCode = 0;"),
        QStringLiteral("         checkAnswer();"),
        QStringLiteral("     }"),
        QStringLiteral("     return true;"),
        QStringLiteral(" }"),
        QStringLiteral("//-->"),
        QStringLiteral("</script>"),
    };
    return lines.join(Crlf()) + Crlf();
}

// One row of the hint table: the hint button with its caption, and the
// display cell in which the hint appears.
QString HintRow(const QString& hintLink, const QString& caption, const QString& fontElement)
{
    const QString crlf = Crlf();
    return kRowStyle + crlf + QStringLiteral("<td width='45%' height='60' align='left' style='padding-left:20px;'>") + crlf
        + QStringLiteral("<a href=\"") + hintLink + QStringLiteral("\">") + ButtonImage(QStringLiteral("hint"), QStringLiteral("btn3"))
        + QStringLiteral("</a><img src='") + PictureUrl(caption) + QStringLiteral("'></td>") + crlf + QStringLiteral("<td width='5%'></td>")
        + crlf + QStringLiteral("<td width='45%' align='center'>") + crlf
        + QStringLiteral("<table border='1' cellspacing='0' cellpadding='0' width='100%' height='55'>") + crlf + QStringLiteral(" <tr>")
        + crlf + QStringLiteral("<td width='100%' height='100%' align='center' style='color:#0000FF;'>") + fontElement + crlf
        + QStringLiteral("</td>") + crlf + QStringLiteral(" </tr>") + crlf + QStringLiteral("</table>") + crlf + QStringLiteral("</td>")
        + crlf + QStringLiteral("<td width='5%'></td>") + crlf + QStringLiteral(" </tr>") + crlf;
}

QString Layout(const QString& unitCode, const SpellingWord& shown)
{
    const QString crlf = Crlf();
    QString page = QStringLiteral("<div align='center'>") + crlf
        + QStringLiteral("<table border='0' cellspacing='0' cellpadding='0' width='100%' height='80' bgcolor='#D8ECD2'>") + crlf
        + kSpacerRow + crlf;
    // The word to spell: speaker and answer field.
    page += kRowStyle + crlf + QStringLiteral("<td width='25%' align='right' height='70'>") + crlf + SpeakerButton(shown.word) + crlf
        + kButtonCell + crlf
        + QStringLiteral("<input type='text' name='inputword' id='inputword' size='25' value='' style='font-family: Courier New; "
                         "font-size: 15px; font-weight: bold;' onkeypress=\"javascript: return checkPressKey();\"></td>")
        + crlf + QStringLiteral(" </tr>") + crlf;
    // The answer button.
    page += kRowStyle + crlf + kEmptyButtonRowCell + crlf + kButtonCell + crlf + QStringLiteral("<a href=\"javascript:checkAnswer();\">")
        + ButtonImage(QStringLiteral("yes"), QStringLiteral("btnAnswer")) + QStringLiteral("</a>") + crlf + QStringLiteral("     </td>")
        + crlf + QStringLiteral(" </tr>") + crlf;
    // The next button, only while a next word exists.
    page += kRowStyle + crlf + kEmptyButtonRowCell + crlf + kButtonCell + crlf;
    if (!shown.nextWord.isEmpty())
        page += QStringLiteral("<a href='cmd:NEXT:") + Attribute(unitCode) + QLatin1Char(',') + Attribute(shown.nextWord)
            + QStringLiteral("'>") + ButtonImage(QStringLiteral("next"), QString()) + QStringLiteral("</a>") + crlf;
    page += QStringLiteral("     </td>") + crlf + QStringLiteral(" </tr>") + crlf + kSpacerRow + crlf + QStringLiteral("</table>") + crlf
        + QStringLiteral("<table><td height='25'></td></table>") + crlf
        + QStringLiteral("<table border='0' cellspacing='0' cellpadding='0' width='100%' height='120'>") + crlf;
    page += HintRow(QStringLiteral("javascript:hintTextShow('2','f_word');"), QStringLiteral("ex4_cap1.gif"),
                    QStringLiteral("<font id='f_word' style='font-family: Tahoma, Arial; font-size: 22px; font-weight:bold;'>&nbsp;</font>"));
    page += HintRow(QStringLiteral("javascript:hintTextShow('1','f_priaccent');"), QStringLiteral("ex4_cap2.gif"),
                    QStringLiteral("<font id='f_priaccent' style='display:none;'>")
                        + GetPhoneticHtml(GlyphBase(), QLatin1Char('(') + shown.priKk + QLatin1Char(')'), kLargeGlyphs)
                        + QStringLiteral("</font>"));
    page += HintRow(QStringLiteral("javascript:hintTextShow('1','f_phonetic');"), QStringLiteral("ex4_cap3.gif"),
                    QStringLiteral("<font id='f_phonetic' style='display:none;'>") + GetPhoneticHtml(GlyphBase(), shown.phonetic, kLargeGlyphs)
                        + QStringLiteral("</font>"));
    page += QStringLiteral("</table>") + crlf;
    return page;
}
}

QStringList SpellingWordSequence(const QString& unitCode)
{
    QStringList words;
    RecordSet rs(Sql::Exercise4Words(unitCode));
    for (; !rs.EndOfData() && words.size() < kMaxSpellingWords; rs.MoveNext())
        words << rs.Trimmed(QStringLiteral("word"));
    return words;
}

SpellingWord ReadSpellingWord(const QStringList& sequence, const QString& currentWord)
{
    SpellingWord shown;
    const qsizetype slot = currentWord.isEmpty() ? 0 : sequence.indexOf(currentWord);
    if (slot < 0)
        return shown;
    const QString word = sequence.value(slot);
    RecordSet rs(Sql::WordRow(word));
    if (!rs.EndOfData()) {
        shown.word = rs.Trimmed(QStringLiteral("word"));
        shown.phonetic = rs.Trimmed(QStringLiteral("phonetic"));
        shown.priKk = rs.Trimmed(QStringLiteral("pri_kk"));
    } else {
        // A word stored with blanks around it is not found by its trimmed
        // text; it is still asked, without its transcription hints.
        shown.word = word;
    }
    shown.nextWord = sequence.value(slot + 1);
    return shown;
}

QString SpellingPage(const QString& unitCode, const SpellingWord& shown)
{
    if (unitCode.isEmpty())
        return Page(BodyTagFixed(), QString());
    return Page(BodyTagFixed(), Script(unitCode, shown) + Layout(unitCode, shown) + QStringLiteral("</div>") + Crlf());
}
