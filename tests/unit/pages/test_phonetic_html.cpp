#include "app/AppValues.h"
#include "pages/GlyphNames.h"
#include "pages/PhoneticHtml.h"

#include <gtest/gtest.h>

namespace {
const QString kBase = QStringLiteral("file:///C:/Temp/Varnelo/symbol/");

QString img(const char* folder, const char* glyph, int height)
{
    return QStringLiteral("<img src='") + kBase + QLatin1String(folder) + QStringLiteral("\\") + QString::fromUtf8(glyph)
        + QStringLiteral(".gif' height='") + QString::number(height) + QStringLiteral("'>");
}

QString span(const char* folder, const char* glyph, int height)
{
    return QStringLiteral("<span height='27' style='padding-top:10px;'>") + img(folder, glyph, height) + QStringLiteral("</span>");
}
const QString kSpace = QStringLiteral("&nbsp;&nbsp;");
}

TEST(GlyphNames, EveryRule)
{
    struct Case {
        char16_t c;
        const char* name;
    };
    const Case cases[] = {
        {u'(', "left"}, {u')', "right"}, {u'5', "first"}, {u'7', "second"}, {u'9', "second"}, {u':', "long"},
        {u'A', "b_A"},  {u'Z', "b_Z"},   {u'a', "s_a"},   {u'z', "s_z"},     {u'1', "1"},      {u'@', "@"},
        {u'中', "中"},  {u'[', "["},     {u'`', "`"},     {u'{', "{"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(GlyphName(QChar(c.c)), QString::fromUtf8(c.name)) << c.name;
}

TEST(PhoneticHtml, GlyphBaseIsTheDataFolderUrl)
{
    MutableApp().TempFolder = QStringLiteral("C:\\Temp");
    MutableApp().ProductFolderName = QStringLiteral("Varnelo");
    EXPECT_EQ(GlyphBase(), QStringLiteral("file:///C:/Temp/Varnelo/symbol/"));
}

TEST(PhoneticHtml, WholeTranscription)
{
    struct Case {
        const char* transcription;
        int height;
        QString expected;
    };
    const Case cases[] = {
        {"be:", 48, img("font_b", "s_b", 48) + img("font_b", "s_e", 48) + img("font_b", "long", 48)},
        // 29 still draws small glyphs, 30 large ones.
        {"I", 29, img("font_s", "b_I", 29)},
        {"I", 30, img("font_b", "b_I", 30)},
        {"i", 27, img("font_s", "s_i", 27)},
        {"5a7b9", 27,
         img("font_s", "first", 27) + img("font_s", "s_a", 27) + img("font_s", "second", 27) + img("font_s", "s_b", 27)
             + img("font_s", "second", 27)},
        // Two spaces give the filler twice, between the neighbouring images.
        {"a  b", 27, img("font_s", "s_a", 27) + kSpace + kSpace + img("font_s", "s_b", 27)},
        {"(x)", 48, img("font_b", "left", 48) + img("font_b", "s_x", 48) + img("font_b", "right", 48)},
        {"", 48, QString()},
    };
    for (const Case& c : cases)
        EXPECT_EQ(GetPhoneticHtml(kBase, QString::fromUtf8(c.transcription), qint16(c.height)), c.expected) << c.transcription;
}

TEST(PhoneticHtml, ReplaceInText)
{
    struct Case {
        const char* text;
        int height;
        QString expected;
    };
    const Case cases[] = {
        {"a (be) c", 27,
         QStringLiteral("a ") + img("font_s", "left", 27) + span("font_s", "s_b", 27) + span("font_s", "s_e", 27)
             + img("font_s", "right", 27) + QStringLiteral(" c")},
        // One qualifying character followed by ")" is a transcription too.
        {"(e)", 48, img("font_b", "left", 48) + span("font_b", "s_e", 48) + img("font_b", "right", 48)},
        {"(5e:)x", 27,
         img("font_s", "left", 27) + span("font_s", "first", 27) + span("font_s", "s_e", 27) + span("font_s", "long", 27)
             + img("font_s", "right", 27) + QStringLiteral("x")},
        // A space inside gives the filler; "(" inside is its own glyph.
        {"(ab c(d)", 27,
         img("font_s", "left", 27) + span("font_s", "s_a", 27) + span("font_s", "s_b", 27) + kSpace + span("font_s", "s_c", 27)
             + span("font_s", "(", 27) + span("font_s", "s_d", 27) + img("font_s", "right", 27)},
        // Parentheses around Chinese words, spaces or a lone character stay text.
        {"(中文)", 27, QStringLiteral("(中文)")},
        {"(a中)", 27, QStringLiteral("(a中)")},
        {"( ab)", 27, QStringLiteral("( ab)")},
        {"(1a)", 27, QStringLiteral("(1a)")},
        // An opening parenthesis among the last two characters never starts one.
        {"xx(a", 27, QStringLiteral("xx(a")},
        {"xx(", 27, QStringLiteral("xx(")},
        {"", 27, QString()},
        // Without a closing ")" the rest is drawn once and not copied again.
        {"x(ab y", 27,
         QStringLiteral("x") + img("font_s", "left", 27) + span("font_s", "s_a", 27) + span("font_s", "s_b", 27) + kSpace
             + span("font_s", "s_y", 27)},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ReplacePhoneticInHtml(kBase, QString::fromUtf8(c.text), qint16(c.height)), c.expected) << c.text;
}
