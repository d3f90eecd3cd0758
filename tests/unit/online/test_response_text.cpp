#include "online/ResponseText.h"

#include <gtest/gtest.h>

namespace {
struct Case {
    const char* name;
    QByteArray bytes;
    std::optional<QString> text;
};

TEST(ResponseBytesToText, DecodesBig5PairsAndRejectsALoneLeadByte)
{
    const QChar replacement(QChar::ReplacementCharacter);
    const Case cases[] = {
        {"empty answer", QByteArray(), QString()},
        {"ASCII only", QByteArray("ONLINE 2024/05/01"), QStringLiteral("ONLINE 2024/05/01")},
        {"OK_ and one Big5 character", QByteArray("\x4F\x4B\x5F\xA4\xA4"), QStringLiteral("OK_中")},
        {"Big5 between ASCII", QByteArray("A\xA4\xA4\xA4\xE5Z"), QStringLiteral("A中文Z")},
        {"a trail byte in the ASCII range", QByteArray("\xA4\x40x"), QStringLiteral("一x")},
        {"0x80 leads a pair too", QByteArray("\x80\x41") + "b", QString(replacement) + QStringLiteral("b")},
        {"an invalid pair takes its trail byte with it", QByteArray("\xA4\x20!"), QString(replacement) + QStringLiteral("!")},
        {"ends in a lone lead byte", QByteArray("OK_\xA4"), std::nullopt},
        {"ends in a lone 0xFF", QByteArray("\xA4\xA4\xFF"), std::nullopt},
        {"only a lead byte", QByteArray("\x80"), std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ResponseBytesToText(c.bytes), c.text);
    }
}
}
