#include "lessons/RulePageCodec.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// The scrambled body of an encoded page: without header and key characters.
QString ScrambledBody(const QString& fileText) { return fileText.mid(27).chopped(4); }

QString WriteFile(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes)
{
    const QString path = dir.filePath(name);
    QFile f(path);
    if (f.open(QIODevice::WriteOnly))
        f.write(bytes);
    return path;
}

TEST(RulePageCodec, RoundTripsPagesOfEveryKind)
{
    const QString cases[] = {
        QString(),
        QStringLiteral("a"),
        QStringLiteral("<html><head><title>ai</title></head>\r\n<body>rain (ren)</body></html>"),
        QString::fromUtf8("<p>母音 a 的發音：cat (kAt)，「貓」。</p>"),
        QString::fromUtf8("全是中文的內容，沒有英文。"),
    };
    for (const QString& body : cases) {
        const QString file = EncodeRulePage(body);
        EXPECT_EQ(file.size(), 27 + body.size() + 4) << body.toStdString();
        EXPECT_EQ(DecodeRulePage(file), body) << body.toStdString();
    }
}

TEST(RulePageCodec, EveryAsciiCodeSurvivesTheFileRoundTrip)
{
    QString body;
    for (int c = 0; c < 128; ++c)
        body.append(QChar(char16_t(c)));
    body += QString::fromUtf8("中") + body;
    QTemporaryDir dir;
    QString error;
    const QByteArray bytes = Big5FileBytes(EncodeRulePage(body), &error);
    ASSERT_FALSE(bytes.isEmpty()) << error.toStdString();
    const QString path = WriteFile(dir, QStringLiteral("all.xtm"), bytes);
    EXPECT_EQ(DecodeRulePage(ReadTextFile(path, "big5")), body);
}

TEST(RulePageCodec, ScrambledFileIsBig5WithAsciiKeysAndHeader)
{
    const QString body = QString::fromUtf8("<b>ee (i)</b> 長母音");
    const QString file = EncodeRulePage(body);
    for (QChar c : file.first(27))
        EXPECT_LT(c.unicode(), 0x80);
    for (QChar c : file.right(4)) {
        EXPECT_GT(c.unicode(), 0x20);
        EXPECT_LT(c.unicode(), 0x7F);
    }
    // Every ASCII character stays ASCII, Chinese is untouched.
    const QString scrambled = ScrambledBody(file);
    ASSERT_EQ(scrambled.size(), body.size());
    for (qsizetype i = 0; i < body.size(); ++i) {
        if (body.at(i).unicode() < 0x80)
            EXPECT_LT(scrambled.at(i).unicode(), 0x80);
        else
            EXPECT_EQ(scrambled.at(i), body.at(i));
    }
    EXPECT_NE(scrambled, body);
}

TEST(RulePageCodec, ChineseOnlyBodyIsStoredUnchanged)
{
    const QString body = QString::fromUtf8("（長母音）「例字」。");
    EXPECT_EQ(ScrambledBody(EncodeRulePage(body)), body);
    EXPECT_EQ(DecodeRulePage(EncodeRulePage(body)), body);
}

TEST(RulePageCodec, KeyCounterSkipsDoubleByteCharacters)
{
    // Header, body "a中a", keys: key 1 is the last character. With all four
    // key values known, the two ASCII characters must take keys 1 and 2.
    const int offsets[4] = {0x23, 0x2F, 0x31, 0x3B};
    const int keys[4] = {5, 9, 17, 33};
    QString file = QString(27, QChar(u'h'));
    file += QChar(char16_t(u'a' ^ keys[0]));
    file += QString::fromUtf8("中");
    file += QChar(char16_t(u'a' ^ keys[1]));
    for (int k = 3; k >= 0; --k)
        file += QChar(char16_t(keys[k] + offsets[k]));
    EXPECT_EQ(DecodeRulePage(file), QString::fromUtf8("a中a"));
}

TEST(RulePageCodec, DecodingTwiceRestoresTheScrambledText)
{
    const QString body = QStringLiteral("<p class='ex'>boat (bot)</p>");
    const QString file = EncodeRulePage(body);
    const QString header = file.first(27);
    const QString keys = file.right(4);
    const QString once = DecodeRulePage(file);
    EXPECT_EQ(DecodeRulePage(header + once + keys), ScrambledBody(file));
}

TEST(RulePageCodec, ShortTextGivesEmptyPage)
{
    EXPECT_EQ(DecodeRulePage(QString()), QString());
    EXPECT_EQ(DecodeRulePage(QString(30, QChar(u'x'))), QString());
}

TEST(RulePageCodec, ReadsFromByteOffsetTwo)
{
    QTemporaryDir dir;
    QString error;
    const QString text = QString::fromUtf8("body { color: #333; } /* 說明 */");
    const QByteArray bytes = Big5FileBytes(text, &error);
    ASSERT_EQ(bytes.left(2), RuleFileLead());
    const QString path = WriteFile(dir, QStringLiteral("rulestyle.css"), bytes);
    EXPECT_EQ(ReadBig5TextFile(path), text);
    EXPECT_EQ(ReadBig5TextFile(dir.filePath(QStringLiteral("missing.css"))), QString());
}

TEST(RulePageCodec, RefusesTextBig5CannotHold)
{
    QString error;
    EXPECT_TRUE(Big5FileBytes(QString::fromUtf8("简体"), &error).isEmpty());
    EXPECT_TRUE(error.contains(QString::fromUtf8("简"))) << error.toStdString();
    QString bad;
    EXPECT_FALSE(IsBig5Encodable(QString::fromUtf8("cat 😀"), &bad));
    EXPECT_EQ(bad, QString::fromUtf8("😀"));
    EXPECT_TRUE(IsBig5Encodable(QString::fromUtf8("母音：「ˋ」（）")));
}

} // namespace
