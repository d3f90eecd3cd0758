#include "ContentTestSupport.h"
#include "DataFolderBuilder.h"
#include "Recordings.h"
#include "audio/SoundFileCodec.h"
#include "lessons/RulePageCodec.h"
#include "pages/GlyphNames.h"

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <gtest/gtest.h>

namespace {

QByteArray Descrambled(const QString& xp3)
{
    QByteArray b = ReadAll(xp3);
    PermuteSoundBytes(b);
    return b;
}

// One build of the fixture shared by the tests that only read it.
class BuiltFixture : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        s_content = new ContentFolder;
        // A human recording of a word wins over synthesis.
        s_human = QByteArray(6000, '\0');
        for (int i = 0; i < s_human.size(); ++i)
            s_human[i] = char(i * 31);
        s_content->write(QStringLiteral("recordings/bee.mp3"), s_human);
        BuildOptions o;
        o.contentDir = s_content->dir();
        o.outDir = s_content->scratch(QStringLiteral("data/Varnelo"));
        o.cacheDir = s_content->scratch(QStringLiteral("cache"));
        o.version = QStringLiteral("2.5.1");
        s_ok = BuildDataFolder(o, &s_error);
    }
    static void TearDownTestSuite()
    {
        delete s_content;
        s_content = nullptr;
    }
    void SetUp() override { ASSERT_TRUE(s_ok) << s_error.toStdString(); }

    static QString out(const QString& rel) { return QDir(s_content->scratch(QStringLiteral("data/Varnelo"))).filePath(rel); }

    static inline ContentFolder* s_content = nullptr;
    static inline QByteArray s_human;
    static inline bool s_ok = false;
    static inline QString s_error;
};

TEST_F(BuiltFixture, DatabaseKeepsFileOrderTypesAndCaseBlindText)
{
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("build-test"));
        db.setDatabaseName(out(QStringLiteral("vrnbase.mdb")));
        ASSERT_TRUE(db.open());
        QSqlQuery q(db);
        ASSERT_TRUE(q.exec(QStringLiteral("select word, pri_char, typeof(pri_kk) from jwords")));
        QStringList words;
        while (q.next())
            words << q.value(0).toString();
        EXPECT_EQ(words, QStringList({"bat", "sheep", "bee", "shh"}));
        ASSERT_TRUE(q.exec(QStringLiteral("select typeof(pri_kk), P_UNIT from jwords where word = 'SHH'")));
        ASSERT_TRUE(q.next());
        EXPECT_EQ(q.value(0).toString(), QStringLiteral("null"));
        EXPECT_EQ(q.value(1).toString(), QString());  // empty text, not Null
        ASSERT_TRUE(q.exec(QStringLiteral("select typeof(set_order), typeof(mp3) from vowels_sound")));
        ASSERT_TRUE(q.next());
        EXPECT_EQ(q.value(0).toString(), QStringLiteral("integer"));
        EXPECT_EQ(q.value(1).toString(), QStringLiteral("text"));
        ASSERT_TRUE(q.exec(QStringLiteral("select answer from kk_reco where unitcode like 'k01%'")));
        QList<int> answers;
        while (q.next())
            answers << q.value(0).toInt();
        EXPECT_EQ(answers, QList<int>({1, 2}));
    }
    QSqlDatabase::removeDatabase(QStringLiteral("build-test"));
}

TEST_F(BuiltFixture, StoreAnswersEverySqlText)
{
    const QStringList missing = SqlTextsWithoutRows(s_content->scratch(QStringLiteral("data/Varnelo")));
    EXPECT_TRUE(missing.isEmpty()) << missing.join('\n').toStdString();
}

TEST_F(BuiltFixture, RulePagesDecodeToTheirSources)
{
    for (const QString htm : {QStringLiteral("a_short"), QStringLiteral("sh_sound")}) {
        const QByteArray file = ReadAll(out(QStringLiteral("xtm/%1.xtm").arg(htm)));
        EXPECT_EQ(file.left(2), RuleFileLead());
        const QString page = DecodeRulePage(ReadTextFile(out(QStringLiteral("xtm/%1.xtm").arg(htm)), "big5"));
        QString source = s_content->read(QStringLiteral("rules/%1.html").arg(htm));
        source.replace(QStringLiteral("charset=\"utf-8\""), QStringLiteral("charset=\"big5\""));
        EXPECT_EQ(page, source);
    }
    EXPECT_EQ(ReadBig5TextFile(out(QStringLiteral("xtm/css/rulestyle.css"))),
              s_content->read(QStringLiteral("css/rulestyle.css")));
}

TEST_F(BuiltFixture, GlyphsAreGifsOfBothHeightsNamedByTheGlyphRule)
{
    for (const QChar code : QStringLiteral("btpsSiIAe()5")) {
        for (const auto& [folder, height] : {std::pair{"font_b", 48}, std::pair{"font_s", 27}}) {
            const QString path = out(QStringLiteral("symbol/%1/%2.gif").arg(QLatin1String(folder), GlyphName(code)));
            const QByteArray bytes = ReadAll(path);
            EXPECT_TRUE(bytes.startsWith("GIF89a")) << path.toStdString();
            const QImage img(path);
            EXPECT_EQ(img.height(), height) << path.toStdString();
            EXPECT_GT(img.width(), 2);
        }
    }
    // Transparent ground, dark ink.
    const QImage a(out(QStringLiteral("symbol/font_b/b_A.gif")));
    EXPECT_EQ(qAlpha(a.pixel(0, 0)), 0);
    int dark = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            dark += qAlpha(a.pixel(x, y)) == 255 && qGray(a.pixel(x, y)) < 80;
    EXPECT_GT(dark, 20);
}

TEST_F(BuiltFixture, EveryPageIconExists)
{
    QStringList names = {"ans_ok.gif", "ans_err.gif", "ex4_cap1.gif", "ex4_cap2.gif", "ex4_cap3.gif"};
    for (const char* look : {"normal", "over", "click"})
        for (const char* icon : {"speaker_s_%1.gif", "speaker_b_%1.jpg", "yes_%1.jpg", "next_%1.jpg", "hint_%1.jpg"})
            names << QString::fromLatin1(icon).arg(QLatin1String(look));
    for (const QString& n : names) {
        const QImage img(out(QStringLiteral("pic/") + n));
        EXPECT_FALSE(img.isNull()) << n.toStdString();
    }
}

TEST_F(BuiltFixture, RecordingsAreScrambledMp3s)
{
    // Human recording: the same bytes after de-scrambling.
    EXPECT_EQ(Descrambled(out(QStringLiteral("xp3/bee.xp3"))), s_human);
    EXPECT_NE(ReadAll(out(QStringLiteral("xp3/bee.xp3"))), s_human);
    // Synthesised: lesson sounds, item, words of both tables; each an MP3 above
    // the scrambled block once de-scrambled.
    for (const char* name : {"a_short", "ee_long", "b_sound", "sh_sound", "bat", "sheep", "shh", "beet"}) {
        const QByteArray mp3 = Descrambled(out(QStringLiteral("xp3/%1.xp3").arg(QLatin1String(name))));
        EXPECT_GT(mp3.size(), 4096) << name;
        const bool frame = uchar(mp3.at(0)) == 0xFF && (uchar(mp3.at(1)) & 0xE0) == 0xE0;
        EXPECT_TRUE(mp3.startsWith("ID3") || frame) << name;
    }
    EXPECT_EQ(QDir(out(QStringLiteral("xp3"))).entryList(QDir::Files).size(), 9);
}

TEST_F(BuiltFixture, VersionFileHoldsTheVersion)
{
    EXPECT_EQ(ReadAll(out(QStringLiteral("vrndata.ver"))).trimmed(), QByteArray("2.5.1"));
}

TEST(ContentBuild, RebuildUsesTheCacheAndDropsStaleFiles)
{
    ContentFolder content;
    BuildOptions o;
    o.contentDir = content.dir();
    o.outDir = content.scratch(QStringLiteral("Varnelo"));
    o.cacheDir = content.scratch(QStringLiteral("cache"));
    o.version = QStringLiteral("1");
    QString error;
    ASSERT_TRUE(BuildDataFolder(o, &error)) << error.toStdString();
    const QString stale = QDir(o.outDir).filePath(QStringLiteral("xp3/removed.xp3"));
    ASSERT_TRUE(WriteAll(stale, "old"));

    QStringList progress;
    o.progress = [&](const QString& line) { progress << line; };
    ASSERT_TRUE(BuildDataFolder(o, &error)) << error.toStdString();
    EXPECT_FALSE(progress.join('\n').contains(QStringLiteral("synthesising"))) << progress.join('\n').toStdString();
    EXPECT_FALSE(QFileInfo::exists(stale));
    EXPECT_FALSE(QFileInfo::exists(o.outDir + QStringLiteral(".building")));
    EXPECT_FALSE(QFileInfo::exists(o.outDir + QStringLiteral(".old")));
}

TEST(ContentBuild, RefusesFaultySourcesAndLeavesTheOldFolder)
{
    ContentFolder content;
    BuildOptions o;
    o.contentDir = content.dir();
    o.outDir = content.scratch(QStringLiteral("Varnelo"));
    o.cacheDir = content.scratch(QStringLiteral("cache"));
    QString error;
    ASSERT_TRUE(BuildDataFolder(o, &error)) << error.toStdString();
    content.remove(QStringLiteral("rules/ee_long.html"));
    EXPECT_FALSE(BuildDataFolder(o, &error));
    EXPECT_TRUE(error.contains(QStringLiteral("fault"))) << error.toStdString();
    EXPECT_TRUE(QFileInfo::exists(QDir(o.outDir).filePath(QStringLiteral("xtm/ee_long.xtm"))));
}

TEST(ContentBuild, NeverReplacesAFolderThatIsNoDataFolder)
{
    ContentFolder content;
    const QString precious = content.scratch(QStringLiteral("home/notes.txt"));
    ASSERT_TRUE(WriteAll(precious, "keep me"));
    BuildOptions o;
    o.contentDir = content.dir();
    o.outDir = content.scratch(QStringLiteral("home"));
    o.cacheDir = content.scratch(QStringLiteral("cache"));
    QString error;
    EXPECT_FALSE(BuildDataFolder(o, &error));
    EXPECT_EQ(ReadAll(precious), QByteArray("keep me"));
}

TEST(ContentBuild, PadWavAddsSilenceAndKeepsAValidHeader)
{
    // 8 samples of 16-bit mono at 1000 Hz.
    QByteArray wav("RIFF\0\0\0\0WAVEfmt ", 16);
    const char fmt[] = {16, 0, 0, 0, 1, 0, 1, 0, char(0xE8), 3, 0, 0, char(0xD0), 7, 0, 0, 2, 0, 16, 0};
    wav += QByteArray(fmt, sizeof fmt);
    wav += QByteArray("data\x10\0\0\0", 8);
    wav += QByteArray(16, '\x11');
    const QByteArray padded = PadWav(wav, 0.002, 0.003);
    // 2 + 3 silent samples of 2 bytes around the 16 data bytes.
    EXPECT_EQ(padded.size(), wav.size() + 10);
    EXPECT_EQ(padded.mid(padded.size() - 26, 4), QByteArray("\0\0\0\0", 4));
    EXPECT_EQ(padded.mid(padded.size() - 22, 16), QByteArray(16, '\x11'));
    EXPECT_EQ(uchar(padded.at(40)), 26);  // data size
    EXPECT_EQ(uchar(padded.at(4)), padded.size() - 8);
    EXPECT_EQ(PadWav("not a wav", 1, 1), QByteArray("not a wav"));
}

} // namespace
