#include "pages/CommandLink.h"

#include <gtest/gtest.h>

TEST(CommandLink, OnlyAnExactLowerCasePrefixIsACommand)
{
    struct Case {
        const char* url;
        bool command;
    };
    const Case cases[] = {
        {"cmd:0#ae", true},   {"cmd:", true},          {"CMD:0#ae", false}, {"Cmd:x", false},
        {"about:blank", false}, {" cmd:x", false},     {"cmd", false},      {"", false},
        {"page://frmmain/webListMain/1", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(IsCommandUrl(QString::fromUtf8(c.url)), c.command) << c.url;
}

TEST(CommandLink, EveryPrefixIsRemoved)
{
    EXPECT_EQ(CommandFromUrl(QStringLiteral("cmd:3#ae")), QStringLiteral("3#ae"));
    EXPECT_EQ(CommandFromUrl(QStringLiteral("cmd:ANS:Y")), QStringLiteral("ANS:Y"));
    EXPECT_EQ(CommandFromUrl(QStringLiteral("cmd:1#xcmd:y")), QStringLiteral("1#xy"));
    EXPECT_EQ(CommandFromUrl(QStringLiteral("cmd:")), QString());
}

TEST(CommandLink, EncodedUrlDecodesToTheWrittenCommand)
{
    struct Case {
        const char* encoded;  // as the engine reports it
        const char* command;  // as the page wrote it
    };
    const Case cases[] = {
        {"cmd:0#ae", "0#ae"},
        {"cmd:2#a%20e", "2#a e"},
        {"cmd:NEXT:S12,apple", "NEXT:S12,apple"},
        {"cmd:ANS:Y:S1,b%20c", "ANS:Y:S1,b c"},
        {"cmd:3#%E4%B8%AD%E6%96%87", "3#中文"},
        {"cmd:4#a#b", "4#a#b"},
        {"cmd:5#a%23b", "5#a#b"},
        {"cmd:%E5%96%87%E5%8F%AD", "喇叭"},
        {"cmd:50%25", "50%"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CommandFromEncodedUrl(QString::fromUtf8(c.encoded)), QString::fromUtf8(c.command)) << c.encoded;
}
