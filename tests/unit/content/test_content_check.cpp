#include "ContentCheck.h"
#include "ContentSources.h"
#include "ContentTestSupport.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

std::string Listing(const QList<Fault>& faults)
{
    std::string s;
    for (const Fault& f : faults)
        s += f.text().toStdString() + "\n";
    return s;
}

TEST(ContentCheck, FixtureIsClean)
{
    ContentFolder content;
    const QList<Fault> faults = CheckContent(LoadContentSources(content.dir()));
    EXPECT_TRUE(faults.isEmpty()) << Listing(faults);
}

TEST(ContentCheck, FaultsNameFileAndLine)
{
    const Fault f{QStringLiteral("content/tables/jwords.tsv"), 7, QStringLiteral("duplicate word")};
    EXPECT_EQ(f.text(), QStringLiteral("content/tables/jwords.tsv:7: duplicate word"));
    const Fault whole{QStringLiteral("content/css/rulestyle.css"), 0, QStringLiteral("missing")};
    EXPECT_EQ(whole.text(), QStringLiteral("content/css/rulestyle.css: missing"));
}

struct FaultCase {
    const char* name;
    std::function<bool(const ContentFolder&)> edit;  // false when the edit did not apply
    const char* file;                                 // relative to the content folder
    int line;
    const char* message;                              // a part of the message
};

const auto Replace = [](const char* file, const char* from, const char* to) {
    return [=](const ContentFolder& c) {
        return c.replace(QString::fromUtf8(file), QString::fromUtf8(from), QString::fromUtf8(to));
    };
};
const auto Append = [](const char* file, const char* line) {
    return [=](const ContentFolder& c) {
        c.appendLine(QString::fromUtf8(file), QString::fromUtf8(line));
        return true;
    };
};
const auto Remove = [](const char* file) {
    return [=](const ContentFolder& c) {
        c.remove(QString::fromUtf8(file));
        return true;
    };
};

const FaultCase kCases[] = {
    {"rule page missing", Remove("rules/ee_long.html"), "tables/vowels_sound.tsv", 3,
     "htm \"ee_long\" has no rule page"},
    {"lesson sound without phoneme line or recording", Replace("sound-phonemes.tsv", "b_sound\t[[b@]]\n", ""),
     "tables/consonants_sound.tsv", 3, "lesson sound \"b_sound\" has no recording"},
    {"item without text or recording", Replace("tables/beginner.tsv", "E01\tee\t\\N\t\\N", "E01\t\\N\t(i)\tee_item"),
     "tables/beginner.tsv", 4, "item \"ee_item\" has no recording"},
    {"table transcription without glyph", Replace("tables/jwords.tsv", "(bAt)", "(bAx)"), "tables/jwords.tsv", 2,
     "character 'x' has no glyph"},
    {"rule page transcription without glyph", Replace("rules/a_short.html", "(bAt)", "(bAy)"), "rules/a_short.html",
     4, "character 'y' has no glyph"},
    {"unit without items", Append("tables/p_unit.tsv", "K02\t聽音選音標（二）"), "tables/p_unit.tsv", 7,
     "unit K02 has no items in kk_reco.tsv"},
    {"item of an unknown unit", Replace("tables/beginner.tsv", "E01\tee", "E02\tee"), "tables/beginner.tsv", 4,
     "unitcode \"E02\" is not a E unit"},
    {"badly formed unit code", Replace("tables/p_unit.tsv", "S01\t", "S1\t"), "tables/p_unit.tsv", 6,
     "unitcode \"S1\" must be"},
    {"word with an unknown sound code", Replace("tables/jwords.tsv", "B01\tP01", "B01 X09\tP01"), "tables/jwords.tsv",
     2, "snd_word code \"X09\" is not an scode"},
    {"consonant row without sound code", Replace("tables/w_sound.tsv", "sh\tS\tS01\n", ""),
     "tables/consonants_sound.tsv", 4, "has no w_sound row"},
    {"sound code of no consonant row", Replace("tables/w_sound.tsv", "sh\tS\tS01", "sh\tZ\tS01"),
     "tables/w_sound.tsv", 3, "no consonants_sound row has letter set \"sh\" with sound \"Z\""},
    {"word under a letter set that differs in case", Replace("tables/jwords.tsv", "\ta\tA\t", "\tA\tA\t"),
     "tables/jwords.tsv", 2, "matches no vowels_sound row exactly"},
    {"only one of pri_char and pri_kk", Replace("tables/jwords.tsv", "\tee\ti\tB01", "\tee\t\\N\tB01"),
     "tables/jwords.tsv", 4, "pri_char and pri_kk must both be"},
    {"word listed nowhere", Replace("tables/jwords.tsv", "\\N\t\\N\tS01", "\\N\t\\N\t"), "tables/jwords.tsv", 5,
     "listed under no vowel"},
    {"duplicate word differing in case", Append("tables/jwords.tsv", "Bat\t(bAt)\t蝙蝠\ta\tA\tB01\tP01\tS01"),
     "tables/jwords.tsv", 6, "duplicate word \"Bat\" (first on line 2)"},
    {"duplicate unit code", Append("tables/p_unit.tsv", "E01\t重複"), "tables/p_unit.tsv", 7,
     "duplicate unitcode E01"},
    {"duplicate sound code", Replace("tables/w_sound.tsv", "sh\tS\tS01", "sh\tS\tB01"), "tables/w_sound.tsv", 3,
     "duplicate scode B01"},
    {"duplicate letter set and sound", Append("tables/vowels_sound.tsv", "a\tA\t3\ta_short\ta_short"),
     "tables/vowels_sound.tsv", 4, "duplicate letter set \"a\" with sound \"A\""},
    {"duplicate set_order", Replace("tables/vowels_sound.tsv", "\ti\t2\t", "\ti\t1\t"), "tables/vowels_sound.tsv", 3,
     "duplicate set_order 1"},
    {"duplicate glyph code", Append("glyphs.tsv", "b\tb\tagain"), "glyphs.tsv", 13, "code \"b\" is listed twice"},
    {"duplicate phoneme line", Append("sound-phonemes.tsv", "a_short\t[[A:]]"), "sound-phonemes.tsv", 5,
     "\"a_short\" is listed twice"},
    {"text Big5 cannot hold", Replace("tables/jwords.tsv", "球棒", "简"), "tables/jwords.tsv", 2,
     "Big5 cannot encode"},
    {"rule page text Big5 cannot hold", Replace("rules/b_sound.html", "球棒", "球棒😀"), "rules/b_sound.html", 4,
     "has no Big5 code"},
    {"not UTF-8",
     [](const ContentFolder& c) {
         const QByteArray bytes = ReadAll(c.path(QStringLiteral("tables/jwords.tsv")));
         const QByteArray word = QStringLiteral("蜜蜂").toUtf8();
         if (!bytes.contains(word))
             return false;
         c.write(QStringLiteral("tables/jwords.tsv"), QByteArray(bytes).replace(word, "\xff"));
         return true;
     },
     "tables/jwords.tsv", 4, "not valid UTF-8"},
    {"wrong column names", Replace("tables/jwords.tsv", "word\tphonetic", "Word\tphonetic"), "tables/jwords.tsv", 1,
     "column names are \"Word phonetic"},
    {"wrong number of cells", Replace("tables/kk_reco.tsv", "(Sep)\t1", "(Sep)"), "tables/kk_reco.tsv", 2,
     "row has 6 cells, expected 7"},
    {"integer column with text", Replace("tables/vowels_sound.tsv", "\ti\t2\t", "\ti\ttwo\t"),
     "tables/vowels_sound.tsv", 3, "set_order \"two\" is not a whole number"},
    {"answer out of range", Replace("tables/kk_reco.tsv", "(Sep)\t1", "(Sep)\t5"), "tables/kk_reco.tsv", 2,
     "answer 5 must be 1 to 4"},
    {"same option twice", Replace("tables/kk_reco.tsv", "(bit)\t(bIt)", "(bit)\t(bit)"), "tables/kk_reco.tsv", 3,
     "opt3 repeats opt2"},
    {"transcription without brackets", Replace("tables/jwords.tsv", "(bi)", "bi"), "tables/jwords.tsv", 4,
     "must be a transcription in brackets"},
    {"bare sound with brackets", Replace("tables/vowels_sound.tsv", "a\tA\t1", "a\t(A)\t1"), "tables/vowels_sound.tsv",
     2, "is a bare sound and takes no brackets"},
    {"Null where a value is required", Replace("tables/jwords.tsv", "蜜蜂", "\\N"), "tables/jwords.tsv", 4,
     "meaning may not be Null"},
    {"blanks around a value", Replace("tables/p_unit.tsv", "P01\t", "P01 \t"), "tables/p_unit.tsv", 3,
     "has blanks at its start or end"},
    {"word that cannot name a file", Replace("tables/kk_reco.tsv", "beet", "be/et"), "tables/kk_reco.tsv", 3,
     "cannot name a recording file"},
    {"rule page without lower-case head end", Replace("rules/b_sound.html", "</head>", "</HEAD>"),
     "rules/b_sound.html", 0, "no lower-case </head>"},
    {"rule page body tag with attributes", Replace("rules/b_sound.html", "<body>", "<body class=\"x\">"),
     "rules/b_sound.html", 0, "no plain <body> tag"},
    {"unclosed rule page transcription", Replace("rules/b_sound.html", "(bAt) 球棒", "(bAt 球棒"),
     "rules/b_sound.html", 4, "has no closing \")\""},
    {"missing table", Remove("tables/kk_reco.tsv"), "tables/kk_reco.tsv", 0, "table file missing"},
    {"missing stylesheet", Remove("css/rulestyle.css"), "css/rulestyle.css", 0, "stylesheet is missing"},
    {"missing glyph map", Remove("glyphs.tsv"), "glyphs.tsv", 0, "file missing"},
};

TEST(ContentCheck, CatchesEachKindOfFault)
{
    for (const FaultCase& c : kCases) {
        SCOPED_TRACE(c.name);
        ContentFolder content;
        ASSERT_TRUE(c.edit(content)) << "the edit does not apply to the fixture";
        const QList<Fault> faults = CheckContent(LoadContentSources(content.dir()));
        const QString file = content.path(QString::fromUtf8(c.file));
        bool found = false;
        for (const Fault& f : faults)
            found = found
                    || (f.file == file && f.line == c.line && !f.warning
                        && f.message.contains(QString::fromUtf8(c.message)));
        EXPECT_TRUE(found) << "expected " << c.file << ":" << c.line << ": ..." << c.message << "\ngot:\n"
                           << Listing(faults);
    }
}

TEST(ContentCheck, HumanRecordingStandsInForAMissingPhonemeLine)
{
    ContentFolder content;
    ASSERT_TRUE(content.replace(QStringLiteral("sound-phonemes.tsv"), QStringLiteral("b_sound\t[[b@]]\n"), QString()));
    content.write(QStringLiteral("recordings/b_sound.mp3"), QByteArray(5000, 'x'));
    const QList<Fault> faults = CheckContent(LoadContentSources(content.dir()));
    EXPECT_TRUE(faults.isEmpty()) << Listing(faults);
}

TEST(ContentCheck, WarnsAboutUnusedPagesAndRowsWithoutWords)
{
    ContentFolder content;
    content.write(QStringLiteral("rules/spare.html"), "<html><head></head>\n<body></body></html>\n");
    ASSERT_TRUE(content.replace(QStringLiteral("tables/jwords.tsv"), QStringLiteral("\ta\tA\tB01"),
                                QStringLiteral("\tee\ti\tB01")));
    const QList<Fault> faults = CheckContent(LoadContentSources(content.dir()));
    QStringList warnings;
    for (const Fault& f : faults) {
        EXPECT_TRUE(f.warning) << f.text().toStdString();
        warnings << f.message;
    }
    EXPECT_TRUE(warnings.join('\n').contains(QStringLiteral("no sound row names this page"))) << Listing(faults);
    EXPECT_TRUE(warnings.join('\n').contains(QStringLiteral("no word is listed under letter set \"a\""))) << Listing(faults);
}

TEST(ContentCheck, FindsTranscriptionsAsTheRuleRendererDoes)
{
    const QString page = QString::fromUtf8("cat (kAt)\n（中文） (中) ( a) (ab\ncd) end (x");
    const QList<PageTranscription> found = TranscriptionsInPage(page);
    ASSERT_EQ(found.size(), 2);
    EXPECT_EQ(found.at(0).text, QStringLiteral("kAt"));
    EXPECT_EQ(found.at(0).line, 1);
    EXPECT_EQ(found.at(1).text, QStringLiteral("ab\ncd"));
    EXPECT_EQ(found.at(1).line, 2);
    // "(" among the last two characters never starts one.
    EXPECT_TRUE(TranscriptionsInPage(QStringLiteral("end (x")).isEmpty());
    EXPECT_FALSE(TranscriptionsInPage(QStringLiteral("(ab")).value(0).closed);
}

} // namespace
