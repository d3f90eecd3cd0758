// The lesson browser's cascade without a window: list building, word tables
// and rule pages against a small content database.
#include "support/TestSupport.h"
#include "app/AppValues.h"
#include "app/Trace.h"
#include "lessons/RulePage.h"
#include "lessons/RulePageCodec.h"
#include "lessons/SoundLists.h"
#include "lessons/WordTable.h"
#include "pages/PageFrame.h"
#include "pages/PhoneticHtml.h"

#include <QDir>
#include <QFile>
#include <QJsonObject>
#include <QRegularExpression>
#include <gtest/gtest.h>

namespace {
const QStringList kSchema = {
    "create table vowels_sound (letter_set text collate nocase, sound text collate nocase, set_order integer, mp3 text collate nocase, htm text collate nocase)",
    "create table consonants_sound (letter_set text collate nocase, sound text collate nocase, set_order integer, mp3 text collate nocase, htm text collate nocase)",
    "create table w_sound (Letter_set text collate nocase, kk text collate nocase, scode text collate nocase)",
    "create table jwords (word text collate nocase, phonetic text collate nocase, meaning text collate nocase, pri_char text collate nocase, pri_kk text collate nocase, snd_word text collate nocase)",
};

// Vowels: "a" spells e and AE; "A" is a case twin of "a"; "ai" spells e.
// The second ("a", "e") record is a duplicate with its own mp3 and page;
// blanks around stored values are not part of them.
const QStringList kSounds = {
    "insert into vowels_sound values"
    " ('a', ' e ', 1, ' a_e ', 'a_e_page'),"
    " (' ai ', 'e', 2, 'ai_e', 'ai_e_page'),"
    " ('A', 'o', 3, 'A_o', 'A_o_page'),"
    " ('a', 'e', 4, 'a_e_again', 'a_e_again_page'),"
    " ('a', 'AE', 5, 'a_ae', 'a_ae_page')",
    "insert into consonants_sound values ('c', 'k', 1, 'c_k', 'c_k_page'), ('c', 's', 2, 'c_s', 'c_s_page'), ('ch', 'k', 3, 'ch_k', '')",
    "insert into w_sound values ('c', 'k', ' K1 '), ('ch', 'k', 'K12')",
};

QStringList Statements(QStringList extra)
{
    QStringList all = kSchema + kSounds;
    all += extra;
    return all;
}

// The SQL texts run while f runs, from the trace.
template <typename F>
QStringList SqlRunBy(const QString& traceFolder, F&& f)
{
    const QString path = traceFolder + "/sql.jsonl";
    QFile::remove(path);
    Trace::openForTest(path);
    f();
    Trace::openForTest(QString());
    QStringList out;
    for (const QJsonObject& e : TraceEvents(path, "sql"))
        out << e["text"].toString();
    return out;
}

// The background colours of the word rows, in order (heading excluded).
QStringList WordRowColours(const QString& html)
{
    QStringList out;
    static const QRegularExpression speaker("<td width='5%' height='28' bgcolor='(#[0-9A-F]+)'><a href='cmd:");
    for (auto it = speaker.globalMatch(html); it.hasNext();)
        out << it.next().captured(1);
    return out;
}

QStringList WordsShown(const QString& html)
{
    QStringList out;
    static const QRegularExpression link("<a href='cmd:([^']*)'>");
    for (auto it = link.globalMatch(html); it.hasNext();)
        out << it.next().captured(1);
    return out;
}

QString LetterSetCell(const QString& v)
{
    return "<font style='font-family: Arial; font-size: 28px; font-weight: bold;'>" + v + "</font>";
}
}

TEST(WordKey, FollowsListModeAndSoundType)
{
    EXPECT_EQ(GetWordKey(0, 0), "phsnd1");
    EXPECT_EQ(GetWordKey(0, 1), "phsnd2");
    EXPECT_EQ(GetWordKey(1, 0), "phchr1");
    EXPECT_EQ(GetWordKey(1, 1), "phchr2");
}

TEST(ListCommands, CheckListWordFoundIsExactAndResets)
{
    QStringList seen;
    EXPECT_FALSE(CheckListWordFound(seen, "a", false));
    EXPECT_TRUE(CheckListWordFound(seen, "a", false));
    EXPECT_FALSE(CheckListWordFound(seen, "A", false)) << "case-sensitive";
    EXPECT_FALSE(CheckListWordFound(seen, "a", true));
    EXPECT_TRUE(seen.isEmpty());
    EXPECT_FALSE(CheckListWordFound(seen, "a", false));

    const ListClick click = ParseListCommand("3#ai");
    EXPECT_EQ(click.index, 3);
    EXPECT_EQ(click.value, "ai");
    EXPECT_EQ(ParseListCommand("0#").value, "");
}

TEST(SoundLists, MainListEmitsEachValueOnceInOrderOfItsFirstRecord)
{
    FixtureDataFolder data(Statements({}));
    ASSERT_TRUE(data.ok());
    QStringList lstTemp{"left over"};
    MainList list;
    const QStringList sql = SqlRunBy(data.tempFolder(), [&] { list = BuildMainList(0, 0, lstTemp); });

    EXPECT_EQ(sql, QStringList{"select letter_set, set_order from vowels_sound order by set_order"});
    // Trimmed; "A" is a different letter set from "a".
    EXPECT_EQ(list.values, (QStringList{"a", "ai", "A"}));
    EXPECT_EQ(list.mainValue, "a");
    EXPECT_EQ(list.html, SelectableListPage({{"a", LetterSetCell("a")}, {"ai", LetterSetCell("ai")}, {"A", LetterSetCell("A")}}));

    // By sound, the cells are glyphs at list height.
    list = BuildMainList(1, 0, lstTemp);
    EXPECT_EQ(list.values, (QStringList{"e", "o", "AE"}));
    EXPECT_TRUE(list.html.contains(GetPhoneticHtml(GlyphBase(), "AE", 48)));
    EXPECT_TRUE(list.html.contains("font_b\\b_A.gif"));
}

TEST(SoundLists, TheFourQueryVariants)
{
    EXPECT_EQ(MainListQuery(0, 1), "select letter_set, set_order from consonants_sound order by set_order");
    EXPECT_EQ(MainListQuery(1, 0), "select sound, set_order from vowels_sound order by set_order");
    EXPECT_EQ(MainListQuery(1, 1), "select sound, set_order from consonants_sound order by set_order");
    EXPECT_EQ(SubListQuery(0, 0, "a"), "select * from vowels_sound where letter_set = 'a' order by set_order");
    EXPECT_EQ(SubListQuery(0, 1, "c"), "select * from consonants_sound where letter_set = 'c' order by set_order");
    EXPECT_EQ(SubListQuery(1, 0, "e"), "select * from vowels_sound where sound = 'e' order by set_order");
    EXPECT_EQ(SubListQuery(1, 1, "k"), "select * from consonants_sound where sound = 'k' order by set_order");
}

TEST(SoundLists, SubListSkipsCaseTwinsAndKeepsTheFirstRecordsFiles)
{
    FixtureDataFolder data(Statements({}));
    ASSERT_TRUE(data.ok());
    QStringList lstTemp;
    const SubList list = BuildSubList(0, 0, "a", lstTemp);

    // "A"/"o" comes back from the case-blind query but is not "a"; the second
    // "a"/"e" record is a duplicate row.
    EXPECT_EQ(list.values, (QStringList{"e", "AE"}));
    EXPECT_EQ(list.subValue, "e");
    EXPECT_EQ(list.mp3, (QStringList{"a_e", "a_ae"}));
    EXPECT_EQ(list.htm, (QStringList{"a_e_page", "a_ae_page"}));
    EXPECT_EQ(list.html, SelectableListPage({{"e", GetPhoneticHtml(GlyphBase(), "e", 48)},
                                             {"AE", GetPhoneticHtml(GlyphBase(), "AE", 48)}}));

    // By sound: the letter sets of "e", shown as text. The query compares
    // stored values whole, so the first record (" e ") is not among them.
    const SubList bySound = BuildSubList(1, 0, "e", lstTemp);
    EXPECT_EQ(bySound.values, (QStringList{"ai", "a"}));
    EXPECT_EQ(bySound.mp3, (QStringList{"ai_e", "a_e_again"}));

    // Nothing selected: no rows, nothing to play.
    const SubList none = BuildSubList(0, 0, "", lstTemp);
    EXPECT_TRUE(none.values.isEmpty());
    EXPECT_TRUE(none.mp3.isEmpty());
    EXPECT_EQ(none.subValue, "");
}

TEST(WordTables, TheFourQueryVariantsAndTheirArguments)
{
    FixtureDataFolder data(Statements({}));
    ASSERT_TRUE(data.ok());
    struct Case {
        const char* key;
        const char* first;
        const char* second;
        QStringList sql;
    };
    const Case cases[] = {
        {"phsnd1", "a", "e", {"SELECT word, phonetic, meaning, pri_char, pri_kk  FROM jwords  where pri_char = 'a' and pri_kk = 'e'  ORDER BY word"}},
        {"phchr1", "e", "a", {"SELECT word, phonetic, meaning, pri_char, pri_kk  FROM jwords  where pri_char = 'a' and pri_kk = 'e'  ORDER BY word"}},
        {"phsnd2", "c", "k",
         {"SELECT scode  FROM w_sound  where Letter_set = 'c' and kk = 'k' ",
          "SELECT word, phonetic, meaning, pri_char, pri_kk  FROM jwords  where snd_word like '%K1%' ORDER BY word"}},
        {"phchr2", "k", "c",
         {"SELECT scode  FROM w_sound  where Letter_set = 'c' and kk = 'k' ",
          "SELECT word, phonetic, meaning, pri_char, pri_kk  FROM jwords  where snd_word like '%K1%' ORDER BY word"}},
    };
    for (const Case& c : cases) {
        const QStringList sql = SqlRunBy(data.tempFolder(), [&] { BuildWordTable(c.key, c.first, c.second); });
        EXPECT_EQ(sql, c.sql) << c.key;
    }
}

TEST(WordTables, VowelWordsMatchTheSelectionExactly)
{
    FixtureDataFolder data(Statements({
        "insert into jwords values"
        " ('cake', '(kek)', '蛋糕', 'a', 'e', ''),"
        " ('Able', '(5ebl)', '能夠的', 'A', 'e', ''),"  // case twin of the letter set: found by the query, not shown
        " ('bait', '(bet)', '誘餌', 'ai', 'e', ''),"
        " (' ace ', '(es)', '王牌', 'a', 'e', '')",
    }));
    ASSERT_TRUE(data.ok());
    EXPECT_EQ(WordsShown(BuildWordTable("phsnd1", "a", "e").html), (QStringList{"ace", "cake"}));
    EXPECT_EQ(WordsShown(BuildWordTable("phchr1", "e", "a").html), (QStringList{"ace", "cake"}));
    EXPECT_EQ(BuildWordTable("phsnd1", "a", "o").rows, 0);
}

TEST(WordTables, TenWordsAlternateWhiteAndGreenEndingGreen)
{
    QStringList words;
    for (int i = 0; i < 10; ++i)
        words << QString("('w%1', '(w%1)', 'm', 'a', 'e', '')").arg(i);
    FixtureDataFolder data(Statements({"insert into jwords values " + words.join(',')}));
    ASSERT_TRUE(data.ok());
    const WordTable table = BuildWordTable("phsnd1", "a", "e");
    EXPECT_EQ(table.rows, 10);
    QStringList expected;
    for (int i = 0; i < 10; ++i)
        expected << (i % 2 == 0 ? "#FFFFFF" : "#E6F1CD");
    EXPECT_EQ(WordRowColours(table.html), expected);
}

TEST(WordTables, ConsonantWordsBySoundCodeSubstring)
{
    FixtureDataFolder data(Statements({
        "insert into jwords values"
        " ('cat', '(kAt)', '貓', null, null, 'K1'),"
        " ('chorus', '(5kor@s)', '合唱', null, null, 'K12'),"  // K12 holds K1: found as well
        " ('city', '(5sItI)', '城市', null, null, 'S2')",
    }));
    ASSERT_TRUE(data.ok());
    EXPECT_EQ(WordsShown(BuildWordTable("phsnd2", "c", "k").html), (QStringList{"cat", "chorus"}));
    EXPECT_EQ(WordsShown(BuildWordTable("phchr2", "k", "ch").html), (QStringList{"chorus"}));
}

TEST(WordTables, ConsonantWithoutASoundCodeGivesAnEmptyTable)
{
    FixtureDataFolder data(Statements({"insert into jwords values ('cat', '(kAt)', '貓', null, null, 'K1')"}));
    ASSERT_TRUE(data.ok());
    WordTable table;
    const QStringList sql = SqlRunBy(data.tempFolder(), [&] { table = BuildWordTable("phsnd2", "c", "s"); });
    EXPECT_EQ(table.rows, 0);
    EXPECT_EQ(sql, QStringList{"SELECT scode  FROM w_sound  where Letter_set = 'c' and kk = 's' "}) << "no word query without a code";
    // The table is still a whole page: heading, no rows, closed.
    EXPECT_TRUE(table.html.endsWith("</table>\r\n" + GetHtmlFrame("FOOTER", "")));
    EXPECT_TRUE(table.html.contains("<strong>英文單字</strong>"));
}

TEST(WordTables, AWordWithoutItsMeaningEndsTheTableThere)
{
    FixtureDataFolder data(Statements({
        "insert into jwords values ('ace', '(es)', '王牌', 'a', 'e', ''), ('bake', '(bek)', null, 'a', 'e', ''),"
        " ('cake', '(kek)', '蛋糕', 'a', 'e', '')",
    }));
    ASSERT_TRUE(data.ok());
    const WordTable table = BuildWordTable("phsnd1", "a", "e");
    EXPECT_EQ(WordsShown(table.html), QStringList{"ace"});
    EXPECT_TRUE(table.html.endsWith(GetHtmlFrame("FOOTER", "")));
}

TEST(WordTables, RowTextAndBracketsDrawnAsParentheses)
{
    EXPECT_EQ(TransWordsMap("[kAt] [e]"), "(kAt) (e)");

    FixtureDataFolder data(Statements({"insert into jwords values ('cat', ' [kAt] ', ' 貓 ', 'a', 'AE', '')"}));
    ASSERT_TRUE(data.ok());
    const QString html = BuildWordTable("phsnd1", "a", "AE").html;
    const QString glyphs = GetPhoneticHtml(GlyphBase(), "(kAt)", 27);
    EXPECT_TRUE(glyphs.contains("font_s\\left.gif") && glyphs.contains("font_s\\right.gif"));
    EXPECT_TRUE(html.contains(WordRowHtml(0, "cat", glyphs, "貓")));

    const QString pic = DataFolderUrl() + "/pic/";
    EXPECT_EQ(WordRowHtml(1, "cat", "G", "M"),
              "     <tr>\r\n"
              "         <td width='5%' height='28' bgcolor='#E6F1CD'><a href='cmd:cat'><img src='" + pic
                  + "speaker_s_normal.gif' onmousemove=\"javascript:this.src='" + pic
                  + "speaker_s_over.gif';\" onmouseout=\"javascript:this.src='" + pic
                  + "speaker_s_normal.gif';\" onmousedown=\"javascript:this.src='" + pic
                  + "speaker_s_click.gif';\" border='0'></a>&nbsp;</td>\r\n"
                    "         <td width='20%' height='28' bgcolor='#E6F1CD'><font style='font-family: Arial; font-size: 15px;'>cat</font></td>\r\n"
                    "         <td width='20%' height='28' bgcolor='#E6F1CD'>G</td>\r\n"
                    "         <td width='35%' height='28' bgcolor='#E6F1CD'>M</td>\r\n"
                    "     </tr>\r\n");
    EXPECT_TRUE(pic.startsWith("file:///") && !pic.startsWith("file:////"));

    // An apostrophe must not end the speaker link's attribute, or "don't" is never heard.
    const QString apostrophe = WordRowHtml(0, "don't", "G", "M");
    EXPECT_TRUE(apostrophe.contains("<a href='cmd:don&#39;t'><img")) << apostrophe.toStdString();
    EXPECT_TRUE(apostrophe.contains(";'>don't</font>"));
}

TEST(RulePages, ShownWithGlyphsStylesheetAndMargins)
{
    const QString body = "?<!DOCTYPE html>\r\n<html><head><title>ai</title></head>\r\n<body>\r\n"
                         "<p>ai 念 (e) 如 (5bet)，(中文) 不變</p>\r\n<BODY></HEAD>\r\n</body></html>";
    const QString css = "p { color: (ab); }";
    const QString page = RulePageFromText(EncodeRulePage(body), css);

    EXPECT_TRUE(page.startsWith("<html><!DOCTYPE html>"));
    EXPECT_TRUE(page.contains("</head>\r\n<style>\r\np { color: (ab); }</style>")) << "the stylesheet is not drawn as glyphs";
    EXPECT_TRUE(page.contains("<body scroll='auto' topmargin='0' leftmargin='0' rightmargin='0' bottommargin='0'>"));
    EXPECT_TRUE(page.contains("<BODY></HEAD>")) << "capital tags are left alone";
    EXPECT_TRUE(page.contains(ReplacePhoneticInHtml(GlyphBase(), "(5bet)", 27)));
    EXPECT_TRUE(page.contains("(中文)"));
    EXPECT_FALSE(page.contains("(e)")) << "a one-letter transcription followed by ')' is drawn too";
}

TEST(RulePages, ReadFromTheDataFolder)
{
    FixtureDataFolder data;
    const QString xtm = data.dataFolder() + "/xtm";
    QDir().mkpath(xtm + "/css");
    auto write = [](const QString& path, const QByteArray& bytes) {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    };
    const QString body = "<html><head></head><body>規則 (bet)</body></html>";
    write(xtm + "/ai_e.xtm", Big5FileBytes(EncodeRulePage(body)));

    EXPECT_EQ(RulePagePath("ai_e"), DataFolder() + PathSep() + "xtm" + PathSep() + "ai_e.xtm");
    // Without the stylesheet the style block is empty.
    EXPECT_EQ(BuildRulePage("ai_e"), RulePageFromText(EncodeRulePage(body), QString()));
    EXPECT_TRUE(BuildRulePage("ai_e").contains("<style>\r\n</style>"));

    write(xtm + "/css/rulestyle.css", Big5FileBytes("p { margin: 0; } /* 樣式 */"));
    EXPECT_TRUE(BuildRulePage("ai_e").contains("<style>\r\np { margin: 0; } /* 樣式 */</style>"));
    EXPECT_TRUE(BuildRulePage("ai_e").contains("規則"));

    EXPECT_EQ(BuildRulePage("missing"), "");
    EXPECT_EQ(BuildRulePage(""), "");
}
