#include "ui/MessageCatalogue.h"

#include <gtest/gtest.h>

TEST(MessageCatalogue, Texts)
{
    EXPECT_EQ(MessageText(QStringLiteral("40"), {}), QStringLiteral("您確定要離開本程式嗎?"));
    EXPECT_EQ(MessageText(QStringLiteral("4"), {}), QStringLiteral("目前已有新版程式! \r\n\r\n您是否要現在進行更新?"));
    EXPECT_EQ(MessageText(QStringLiteral("47"), {}),
              QStringLiteral("軟體已有重大的變革, 需重新安裝程式！ \r\n\r\n您是否要現在進行下載安裝?"));
    EXPECT_EQ(MessageText(QStringLiteral("9001"), QStringLiteral("相關例字")), QStringLiteral("找不到相關例字資料！"));
    EXPECT_EQ(ProgressText(QStringLiteral("3001")), QStringLiteral("正在檢查與建立必要組件資料中...."));
    EXPECT_EQ(ProgressText(QStringLiteral("3007")), QStringLiteral("正在更新資料中, 請稍候...."));
    // Identifiers are exact texts; the two catalogues are apart.
    for (const char* id : {"040", " 40", "40 ", "", "3001", "2"})
        EXPECT_EQ(MessageText(QString::fromLatin1(id), {}), QString()) << id;
    EXPECT_EQ(ProgressText(QStringLiteral("40")), QString());
    EXPECT_EQ(ProgressText(QStringLiteral("03001")), QString());
}

TEST(MessageCatalogue, Captions)
{
    struct Case {
        const char* id;
        const char* box;
        const char* progress;
    };
    const Case cases[] = {
        {"0", "訊息", "請稍候"}, {"1", "錯誤", ""}, {"2", "詢問", ""}, {"3", "軟體更新", ""}, {"4", "", ""}, {"00", "", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CaptionText(QString::fromLatin1(c.id)), QString::fromUtf8(c.box)) << c.id;
        EXPECT_EQ(ProgressCaptionText(QString::fromLatin1(c.id)), QString::fromUtf8(c.progress)) << c.id;
    }
}

TEST(MessageCatalogue, ShortTextsMoveToTheSecondLine)
{
    // "40" has 11 characters, "9001" with 相關例字 10; 19 is still short, 20 is not.
    EXPECT_EQ(WithLeadingCrlf(MessageText(QStringLiteral("40"), {})), QStringLiteral("\r\n您確定要離開本程式嗎?"));
    EXPECT_EQ(WithLeadingCrlf(MessageText(QStringLiteral("9001"), QStringLiteral("相關例字"))),
              QStringLiteral("\r\n找不到相關例字資料！"));
    EXPECT_EQ(WithLeadingCrlf(QString(19, QLatin1Char('x'))), QStringLiteral("\r\n") + QString(19, QLatin1Char('x')));
    EXPECT_EQ(WithLeadingCrlf(QString(20, QLatin1Char('x'))), QString(20, QLatin1Char('x')));
    EXPECT_EQ(WithLeadingCrlf(QString()), QStringLiteral("\r\n"));
    const QString progress = ProgressText(QStringLiteral("3001"));
    EXPECT_EQ(WithLeadingCrlf(progress), progress.size() < 20 ? QStringLiteral("\r\n") + progress : progress);
}

TEST(MessageCatalogue, AnswersPerButtonSet)
{
    struct Case {
        const char* buttons;
        const char* ok;
        const char* cancel;
    };
    const Case cases[] = {
        {"OK", "OK", "CANCEL"}, {"OK_CANCEL", "OK", "CANCEL"}, {"YES_NO", "YES", "NO"},
        {"ok", "", ""},         {"", "", ""},                  {"YES_NO ", "", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(AnswerFor(QString::fromLatin1(c.buttons), MessageButton::OK), QString::fromLatin1(c.ok)) << c.buttons;
        EXPECT_EQ(AnswerFor(QString::fromLatin1(c.buttons), MessageButton::Cancel), QString::fromLatin1(c.cancel)) << c.buttons;
    }
}

TEST(MessageCatalogue, ButtonLayout)
{
    // Window 5985 twips wide, buttons 1650: middle 2992.
    const MessageButtonLayout one = LayoutMessageButtons(QStringLiteral("OK"));
    EXPECT_TRUE(one.okVisible);
    EXPECT_FALSE(one.cancelVisible);
    EXPECT_EQ(one.okLeft, 2167);

    for (const char* set : {"OK_CANCEL", "YES_NO"}) {
        const MessageButtonLayout two = LayoutMessageButtons(QString::fromLatin1(set));
        EXPECT_TRUE(two.okVisible && two.cancelVisible) << set;
        EXPECT_EQ(two.okLeft + 1650, 2992 - 100) << set;
        EXPECT_EQ(two.cancelLeft, 2992 + 100) << set;
    }

    const MessageButtonLayout none = LayoutMessageButtons(QStringLiteral("RETRY"));
    EXPECT_FALSE(none.okVisible || none.cancelVisible);
}

TEST(MessageCatalogue, ProgressHighlightWraps)
{
    // Starts at 30, moves 200 a tick, re-enters from the left once at or past the bar's end.
    int left = 30;
    int ticks = 0;
    while (left >= 0) {
        left = NextProgressFlashLeft(left, 1215, 5250);
        ++ticks;
    }
    EXPECT_EQ(ticks, 27);  // 30 + 26 * 200 = 5230, the next step reaches 5430
    EXPECT_EQ(left, -1215);
    EXPECT_EQ(NextProgressFlashLeft(-1215, 1215, 5250), -1015);
    EXPECT_EQ(NextProgressFlashLeft(5049, 1215, 5250), 5249);
    EXPECT_EQ(NextProgressFlashLeft(5050, 1215, 5250), -1215);
}
