#include "support/TestSupport.h"
#include "data/RecordSet.h"
#include "data/SqlTexts.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

using Sql::Kind;

namespace {
// A small content database as the content builder lays it out: every text
// column compares without case, as the Access store did.
const QStringList kSchema = {
    "create table vowels_sound (letter_set text collate nocase, sound text collate nocase, set_order integer, mp3 text collate nocase, htm text collate nocase)",
    "create table consonants_sound (letter_set text collate nocase, sound text collate nocase, set_order integer, mp3 text collate nocase, htm text collate nocase)",
    "create table w_sound (Letter_set text collate nocase, kk text collate nocase, scode text collate nocase)",
    "create table jwords (word text collate nocase, phonetic text collate nocase, meaning text collate nocase, pri_char text collate nocase, pri_kk text collate nocase, snd_word text collate nocase, P_UNIT text collate nocase, S_UNIT text collate nocase)",
    "create table p_unit (unitcode text collate nocase, descript text collate nocase)",
    "create table beginner (unitcode text collate nocase, data2show1 text collate nocase, data2show2 text collate nocase, mp3 text collate nocase)",
    "create table kk_reco (unitcode text collate nocase, word text collate nocase, opt1 text collate nocase, opt2 text collate nocase, opt3 text collate nocase, opt4 text collate nocase, answer integer)",
    "insert into vowels_sound values ('a', 'AE', 2, 'a_ae', 'a_ae'), ('A', 'e', 1, 'a_e', 'a_e'), ('ai', 'e', 3, 'ai_e', 'ai_e')",
    "insert into consonants_sound values ('b', 'b', 1, 'b_b', 'b_b'), ('c', 'k', 2, 'c_k', 'c_k'), ('c', 's', 3, 'c_s', 'c_s')",
    "insert into w_sound values ('c', 'k', 'C1'), ('c', 's', 'C2')",
    "insert into jwords values ('cat', '(kAt)', '貓', 'a', 'AE', 'C1', 'P1', 'S1'),"
    " ('cake', '(kek)', '蛋糕', 'a', 'e', 'C1', 'P10', 'S2'),"
    " ('city', '(5sItI)', '城市', null, null, 'C2', 'P2', 'S1'),"
    " ('apple', '(5Apl)', '蘋果', 'A', 'AE', '', 'P1', 'S1'),"
    " ('don''t', '(dont)', '不要', 'o', 'o', '', 'E1', 'S3')",
    "insert into p_unit values ('E1', 'first'), ('E2', 'second'), ('P1', '母音：[e]'), ('K1', 'kk one'), ('S1', 'spell one'), ('e3', 'lower')",
    "insert into beginner values ('E1', 'a', '(e)', 'b1'), ('E10', 'b', null, null), ('E2', 'c', '(si)', 'b3')",
    "insert into kk_reco values ('K1', 'cat', '(kAt)', '(kat)', '(ket)', '(kEt)', 1)",
};

QStringList Column(RecordSet& rs, const QString& name)
{
    QStringList out;
    for (; !rs.EndOfData(); rs.MoveNext())
        out << rs.Text(name);
    return out;
}

QStringList QueryColumn(const QString& sql, const QString& column)
{
    RecordSet rs(sql);
    EXPECT_TRUE(rs.IsOpen()) << sql.toStdString() << ": " << rs.Error().toStdString();
    return Column(rs, column);
}
}

TEST(SqlTexts, ExactTexts)
{
    const std::pair<QString, const char*> cases[] = {
        {Sql::LetterSets(Kind::Vowel), "select letter_set, set_order from vowels_sound order by set_order"},
        {Sql::LetterSets(Kind::Consonant), "select letter_set, set_order from consonants_sound order by set_order"},
        {Sql::Sounds(Kind::Vowel), "select sound, set_order from vowels_sound order by set_order"},
        {Sql::Sounds(Kind::Consonant), "select sound, set_order from consonants_sound order by set_order"},
        {Sql::RowsOfLetterSet(Kind::Vowel, "ai"), "select * from vowels_sound where letter_set = 'ai' order by set_order"},
        {Sql::RowsOfLetterSet(Kind::Consonant, "c"), "select * from consonants_sound where letter_set = 'c' order by set_order"},
        {Sql::RowsOfSound(Kind::Vowel, "e"), "select * from vowels_sound where sound = 'e' order by set_order"},
        {Sql::RowsOfSound(Kind::Consonant, "k"), "select * from consonants_sound where sound = 'k' order by set_order"},
        {Sql::VowelWords("a", "AE"),
         "SELECT word, phonetic, meaning, pri_char, pri_kk  FROM jwords  where pri_char = 'a' and pri_kk = 'AE'  ORDER BY word"},
        {Sql::ConsonantSoundCode("c", "k"), "SELECT scode  FROM w_sound  where Letter_set = 'c' and kk = 'k' "},
        {Sql::WordsWithSoundCode("C1"),
         "SELECT word, phonetic, meaning, pri_char, pri_kk  FROM jwords  where snd_word like '%C1%' ORDER BY word"},
        {Sql::Units('E'), "select * from p_unit where unitcode like 'E%' "},
        {Sql::Units('S'), "select * from p_unit where unitcode like 'S%' "},
        {Sql::BeginnerItems("E1"), "select * from beginner where unitcode like 'E1%' "},
        {Sql::Exercise2Words("P1"), "select * from jwords where P_UNIT like 'P1%' "},
        {Sql::Exercise3Questions("K1"), "select * from kk_reco where unitcode like 'K1%' "},
        {Sql::Exercise4Words("S1"), "select * from jwords where S_UNIT like 'S1%' "},
        {Sql::WordRow("cat"), "select * from jwords where word = 'cat' "},
        {Sql::WordRow("don't"), "select * from jwords where word = 'don''t' "},
        {Sql::EngineCheck(), "select * from kk_reco"},
    };
    for (const auto& [got, want] : cases)
        EXPECT_EQ(got, QString(want));
}

TEST(RecordSet, AnswersEverySchemaTextOnAFixture)
{
    FixtureDataFolder data(kSchema);
    ASSERT_TRUE(data.ok());

    EXPECT_EQ(QueryColumn(Sql::LetterSets(Kind::Vowel), "letter_set"), QStringList({"A", "a", "ai"}));
    EXPECT_EQ(QueryColumn(Sql::Sounds(Kind::Consonant), "sound"), QStringList({"b", "k", "s"}));
    // Jet compares without case: 'a' finds the 'A' row too; the reader re-compares.
    EXPECT_EQ(QueryColumn(Sql::RowsOfLetterSet(Kind::Vowel, "a"), "mp3"), QStringList({"a_e", "a_ae"}));
    EXPECT_EQ(QueryColumn(Sql::RowsOfSound(Kind::Vowel, "E"), "letter_set"), QStringList({"A", "ai"}));
    EXPECT_EQ(QueryColumn(Sql::RowsOfLetterSet(Kind::Consonant, "c"), "sound"), QStringList({"k", "s"}));
    EXPECT_EQ(QueryColumn(Sql::VowelWords("a", "AE"), "word"), QStringList({"apple", "cat"}));
    EXPECT_EQ(QueryColumn(Sql::ConsonantSoundCode("c", "k"), "scode"), QStringList({"C1"}));
    EXPECT_EQ(QueryColumn(Sql::WordsWithSoundCode("C1"), "word"), QStringList({"cake", "cat"}));
    EXPECT_EQ(QueryColumn(Sql::Units('E'), "unitcode"), QStringList({"E1", "E2", "e3"}));
    // Prefix match: E1 also takes E10.
    EXPECT_EQ(QueryColumn(Sql::BeginnerItems("E1"), "data2show1"), QStringList({"a", "b"}));
    EXPECT_EQ(QueryColumn(Sql::Exercise2Words("P1"), "word"), QStringList({"cat", "cake", "apple"}));
    EXPECT_EQ(QueryColumn(Sql::Exercise3Questions("K1"), "opt2"), QStringList({"(kat)"}));
    EXPECT_EQ(QueryColumn(Sql::Exercise4Words("S1"), "word"), QStringList({"cat", "city", "apple"}));
    EXPECT_EQ(QueryColumn(Sql::WordRow("don't"), "meaning"), QStringList({"不要"}));
    EXPECT_EQ(QueryColumn(Sql::EngineCheck(), "word").size(), 1);
}

TEST(RecordSet, NullIsDistinguishableFromText)
{
    FixtureDataFolder data(kSchema);
    RecordSet rs(Sql::BeginnerItems("E1"));
    ASSERT_TRUE(rs.IsOpen());
    rs.MoveNext();  // the E10 row: data2show2 and mp3 are Null
    ASSERT_FALSE(rs.EndOfData());
    EXPECT_TRUE(rs.IsNull("data2show2"));
    EXPECT_EQ(rs.Text("data2show2"), "");
    EXPECT_FALSE(rs.IsNull("data2show1"));
    EXPECT_TRUE(rs.IsNull("no_such_column"));

    RecordSet words(Sql::WordsWithSoundCode("C2"));
    ASSERT_FALSE(words.EndOfData());
    EXPECT_TRUE(words.IsNull("pri_char"));
    RecordSet empty(Sql::WordsWithSoundCode("C1"));
    for (; !empty.EndOfData(); empty.MoveNext())
        EXPECT_FALSE(empty.IsNull("pri_char"));
}

TEST(RecordSet, FieldNamesIgnoreCaseAndValuesAreTrimmed)
{
    FixtureDataFolder data({"create table w_sound (Letter_set text, kk text, scode text)",
                            "insert into w_sound values ('  c ', 'k', ' C1  ')"});
    RecordSet rs("select * from w_sound");
    ASSERT_FALSE(rs.EndOfData());
    EXPECT_EQ(rs.Text("letter_set"), "  c ");
    EXPECT_EQ(rs.Trimmed("SCODE"), "C1");
}

TEST(RecordSet, FailuresAreReportedNotThrown)
{
    FixtureDataFolder data(kSchema);
    RecordSet bad("select * from no_such_table");
    EXPECT_FALSE(bad.IsOpen());
    EXPECT_TRUE(bad.EndOfData());
    EXPECT_FALSE(bad.Error().isEmpty());

    QFile::remove(data.databasePath());
    RecordSet missing(Sql::EngineCheck());
    EXPECT_FALSE(missing.IsOpen());
    EXPECT_TRUE(missing.EndOfData());
    // Opening a missing database must not create an empty one.
    EXPECT_FALSE(QFile::exists(data.databasePath()));
}
