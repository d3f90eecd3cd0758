#include "WordTable.h"

#include "app/AppValues.h"
#include "data/RecordSet.h"
#include "data/SqlTexts.h"
#include "pages/PageFrame.h"
#include "pages/PhoneticHtml.h"
#include "pages/ValueQuoting.h"

#include <optional>

namespace {
constexpr qint16 kWordGlyphHeight = 27;
const QString kWhite = QStringLiteral("#FFFFFF");
const QString kGreen = QStringLiteral("#E6F1CD");

QString TableTop()
{
    const QString nl = Crlf();
    return GetHtmlFrame(QStringLiteral("HEADER"), kWhite) + BodyTagScrolling() + nl + StandardTableOpening()
        + QStringLiteral("     <tr>") + nl
        + QStringLiteral("         <td width='95%' height='28'  colspan='4'>指示：請按下喇叭圖示，耹聽發音。</td>") + nl
        + QStringLiteral("     </tr>") + nl
        + QStringLiteral("     <tr>") + nl
        + QStringLiteral("         <td width='5%' height='28' bgcolor='#E6F1CD'>&nbsp;</td>") + nl
        + QStringLiteral("         <td width='20%' height='28' bgcolor='#E6F1CD'><strong>英文單字</strong></td>") + nl
        + QStringLiteral("         <td width='20%' height='28' bgcolor='#E6F1CD'><strong>KK音標</strong></td>") + nl
        + QStringLiteral("         <td width='35%' height='28' bgcolor='#E6F1CD'><strong>中文字義</strong></td>") + nl
        + QStringLiteral("     </tr>") + nl;
}

// The direct keys select by letter set and sound; the others by sound code.
bool IsDirectKey(const QString& key) { return key == QLatin1String("phsnd1") || key == QLatin1String("phchr1"); }

// The word query of a selection, or nothing when the selection has no words
// to look for (an unknown key, a consonant pair without a sound code).
std::optional<QString> WordQuery(const QString& key, const QString& first, const QString& second)
{
    if (key == QLatin1String("phsnd1"))
        return Sql::VowelWords(first, second);
    if (key == QLatin1String("phchr1"))
        return Sql::VowelWords(second, first);
    if (key != QLatin1String("phsnd2") && key != QLatin1String("phchr2"))
        return std::nullopt;
    const bool bySound = key == QLatin1String("phchr2");
    RecordSet codes(bySound ? Sql::ConsonantSoundCode(second, first) : Sql::ConsonantSoundCode(first, second));
    if (codes.EndOfData() || codes.IsNull(QStringLiteral("scode")))
        return std::nullopt;
    const QString code = codes.Trimmed(QStringLiteral("scode"));
    // An empty code would match every word of the database.
    if (code.isEmpty())
        return std::nullopt;
    return Sql::WordsWithSoundCode(code);
}
}

QString TransWordsMap(const QString& transcription)
{
    QString out = transcription;
    out.replace(QLatin1Char('['), QLatin1Char('('));
    out.replace(QLatin1Char(']'), QLatin1Char(')'));
    return out;
}

QString WordRowHtml(int position, const QString& word, const QString& glyphHtml, const QString& meaning)
{
    const QString nl = Crlf();
    const QString colour = position % 2 == 0 ? kWhite : kGreen;
    const QString cell = QStringLiteral("         <td width='%1' height='28' bgcolor='") + colour + QStringLiteral("'>");
    const QString pic = DataFolderUrl() + QStringLiteral("/pic/");
    const QChar q = QLatin1Char('"');
    return QStringLiteral("     <tr>") + nl
        + cell.arg(QStringLiteral("5%")) + QStringLiteral("<a href='cmd:") + ValueQuoting::Attribute(word) + QStringLiteral("'><img src='") + pic
        + QStringLiteral("speaker_s_normal.gif' onmousemove=") + q + QStringLiteral("javascript:this.src='") + pic
        + QStringLiteral("speaker_s_over.gif';") + q + QStringLiteral(" onmouseout=") + q + QStringLiteral("javascript:this.src='")
        + pic + QStringLiteral("speaker_s_normal.gif';") + q + QStringLiteral(" onmousedown=") + q
        + QStringLiteral("javascript:this.src='") + pic + QStringLiteral("speaker_s_click.gif';") + q
        + QStringLiteral(" border='0'></a>&nbsp;</td>") + nl
        + cell.arg(QStringLiteral("20%")) + QStringLiteral("<font style='font-family: Arial; font-size: ") + App().PageFontSize
        + QStringLiteral(";'>") + word + QStringLiteral("</font></td>") + nl
        + cell.arg(QStringLiteral("20%")) + glyphHtml + QStringLiteral("</td>") + nl
        + cell.arg(QStringLiteral("35%")) + meaning + QStringLiteral("</td>") + nl
        + QStringLiteral("     </tr>") + nl;
}

WordTable BuildWordTable(const QString& key, const QString& first, const QString& second)
{
    WordTable out;
    out.html = TableTop();
    const QString word = QStringLiteral("word"), phonetic = QStringLiteral("phonetic"), meaning = QStringLiteral("meaning");
    const QString priChar = QStringLiteral("pri_char"), priKk = QStringLiteral("pri_kk");
    const bool direct = IsDirectKey(key);
    const bool bySound = key == QLatin1String("phchr1");

    if (const std::optional<QString> sql = WordQuery(key, first, second)) {
        RecordSet rs(*sql);
        for (; !rs.EndOfData(); rs.MoveNext()) {
            // A word without its text, transcription or meaning ends the table there.
            if (rs.IsNull(word) || rs.IsNull(phonetic) || rs.IsNull(meaning))
                break;
            if (direct) {
                const QString letterSet = rs.Trimmed(priChar);
                const QString sound = rs.Trimmed(priKk);
                const bool same = bySound ? (sound == first && letterSet == second) : (letterSet == first && sound == second);
                if (!same)
                    continue;
            }
            const QString glyphs = GetPhoneticHtml(GlyphBase(), TransWordsMap(rs.Trimmed(phonetic)), kWordGlyphHeight);
            out.html += WordRowHtml(out.rows, rs.Trimmed(word), glyphs, rs.Trimmed(meaning));
            ++out.rows;
        }
    }

    out.html += QStringLiteral("</table>") + Crlf() + GetHtmlFrame(QStringLiteral("FOOTER"), QString());
    return out;
}
