#include "PhoneticHtml.h"

#include "GlyphNames.h"
#include "app/AppValues.h"

QString GlyphBase()
{
    return DataFolderUrl() + QStringLiteral("/symbol/");
}

namespace {
QString glyphFolder(const QString& glyphBase, qint16 height)
{
    return glyphBase + (height < 30 ? QStringLiteral("font_s\\") : QStringLiteral("font_b\\"));
}

QString imageTag(const QString& folder, const QString& glyph, const QString& height)
{
    return QStringLiteral("<img src='") + folder + glyph + QStringLiteral(".gif' height='") + height + QStringLiteral("'>");
}

const QString kSpaceFiller = QStringLiteral("&nbsp;&nbsp;");

bool isAsciiLetter(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= u'A' && u <= u'Z') || (u >= u'a' && u <= u'z');
}

bool isMark(QChar c)
{
    return c == u'5' || c == u'7' || c == u'9' || c == u':';
}
}

QString GetPhoneticHtml(const QString& glyphBase, const QString& transcription, qint16 height)
{
    const QString folder = glyphFolder(glyphBase, height);
    const QString h = QString::number(height);
    QString out;
    for (const QChar c : transcription) {
        if (c == u' ')
            out += kSpaceFiller;
        else
            out += imageTag(folder, GlyphName(c), h);
    }
    return out;
}

QString ReplacePhoneticInHtml(const QString& glyphBase, const QString& text, qint16 height)
{
    const QString folder = glyphFolder(glyphBase, height);
    const QString h = QString::number(height);
    const qsizetype n = text.size();
    QString out;
    out.reserve(n * 2);
    qsizetype i = 0;
    while (i < n) {
        const QChar c = text.at(i);
        const bool nextQualifies = i + 1 < n && (isMark(text.at(i + 1)) || isAsciiLetter(text.at(i + 1)));
        const bool afterQualifies = i + 2 < n
            && (text.at(i + 2) == u')' || isMark(text.at(i + 2)) || isAsciiLetter(text.at(i + 2)));
        if (c != u'(' || !nextQualifies || !afterQualifies) {
            out += c;
            ++i;
            continue;
        }
        out += imageTag(folder, QStringLiteral("left"), h);
        qsizetype j = i + 1;
        for (; j < n; ++j) {
            const QChar g = text.at(j);
            if (g == u')') {
                out += imageTag(folder, QStringLiteral("right"), h);
                break;
            }
            if (g == u' ') {
                out += kSpaceFiller;
                continue;
            }
            // Inside a transcription a second "(" is not the opening glyph
            // but a file of its own name.
            const QString glyph = g == u'(' ? QString(g) : GlyphName(g);
            out += QStringLiteral("<span height='27' style='padding-top:10px;'>") + imageTag(folder, glyph, h)
                + QStringLiteral("</span>");
        }
        // Without a closing ")" the rest of the text has been drawn as glyphs
        // already; copying it again as text would show it twice.
        i = j + 1;
    }
    return out;
}
