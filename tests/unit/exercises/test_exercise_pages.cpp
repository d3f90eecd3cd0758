#include "ExerciseFixture.h"
#include "exercises/ExercisePages.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

using namespace fixture;

namespace {
const QString kTable = QStringLiteral("<table width='100%' border='0' cellspacing='0' cellpadding='0'>\r\n");

QString Speaker(const QString& name)
{
    return Expand(name + "'><img src='{T}/pic/speaker_s_normal.gif' onmousemove=\"javascript:this.src='{T}/pic/speaker_s_over.gif';\""
                  " onmouseout=\"javascript:this.src='{T}/pic/speaker_s_normal.gif';\""
                  " onmousedown=\"javascript:this.src='{T}/pic/speaker_s_click.gif';\" border='0'></a></td>");
}

QString Font(const QString& text) { return "         <font style='FONT-FAMILY: Arial; font-size: 15px;'>" + text + "</font>"; }
QString Font2(const QString& text) { return "         <font style='FONT-FAMILY: Arial;  font-size: 15px;'>" + text + "</font>"; }
}

TEST(ExercisePages, NoUnitChosenGivesTheSkeletonOnly)
{
    FixtureDataFolder data(kSchema);
    for (auto build : {Exercise1Page, Exercise2Page, Exercise3Page})
        EXPECT_EQ(build(QString()), kHeader + kBodyAuto + kFooter);
}

TEST(ExercisePages, Exercise1RowsAlternateAndNullsReadEmpty)
{
    FixtureDataFolder data(kSchema);
    ASSERT_TRUE(data.ok());
    // E5 takes E50 and E51 by prefix; the E50 item has nothing but its code.
    const QString white1 = " <tr>     <td align='center' width='10%' bgcolor='#FFFFFF'><a href='cmd:" + Speaker("b_a")
        + "     <td width='50%' height='40' bgcolor='#FFFFFF'>" + Font("a") + "     </td>     <td width='40%' bgcolor='#FFFFFF'>"
        + Glyphs("(e)") + "     </td> </tr>";
    const QString orange = " <tr>     <td align='center' width='7%' bgcolor='#FFCA95'><a href='cmd:" + Speaker("")
        + "     <td width='50%' height='40' bgcolor='#FFCA95'>" + Font("") + "     </td>     <td width='40%' bgcolor='#FFCA95'>"
        + "     </td> </tr>";
    const QString white2 = " <tr>     <td align='center' width='10%' bgcolor='#FFFFFF'><a href='cmd:" + Speaker("b_d")
        + "     <td width='50%' height='40' bgcolor='#FFFFFF'>" + Font("d") + "     </td>     <td width='40%' bgcolor='#FFFFFF'>"
        + Glyphs("di") + "     </td> </tr>";
    EXPECT_EQ(Exercise1Page("E5"), kHeader + kBodyAuto + kTable + white1 + orange + white2 + "</table>\r\n" + kFooter);
    // A unit without items: the table stands empty.
    EXPECT_EQ(Exercise1Page("E99"), kHeader + kBodyAuto + kTable + "</table>\r\n" + kFooter);
}

TEST(ExercisePages, Exercise2HasTwoBlanksInTheOrangeWordAndEveryMeaning)
{
    FixtureDataFolder data(kSchema);
    const auto row = [](const QString& colour, const QString& word, const QString& phonetic, const QString& meaning, bool orange) {
        const QString cell = "     <td width='31%' bgcolor='" + colour + "'>";
        return " <tr>     <td height='40' align='center' width='7%' bgcolor='" + colour + "'><a href='cmd:" + Speaker(word) + cell
            + (orange ? Font2(word) : Font(word)) + "     </td>" + cell + Glyphs(phonetic) + "     </td>" + cell + Font2(meaning)
            + "     </td> </tr>";
    };
    // P01 also takes P010; the word stored with blanks is shown and played trimmed.
    EXPECT_EQ(Exercise2Page("P01"), kHeader + kBodyAuto + kTable + row("#FFFFFF", "cat", "(kAt)", "貓", false)
                                        + row("#FFCA95", "cake", "(kek)", "蛋糕", true) + row("#FFFFFF", "apple", "(5Apl)", "蘋果", false)
                                        + "</table>\r\n" + kFooter);
    // Words with an apostrophe: the query runs and the links stay whole.
    const QString withApostrophes = Exercise2Page("P03");
    EXPECT_TRUE(withApostrophes.contains("<a href='cmd:don&#39;t'>"));
    EXPECT_TRUE(withApostrophes.contains("<a href='cmd:o&#39;clock'>"));
    EXPECT_TRUE(withApostrophes.contains(Font("don't")));
}

TEST(ExercisePages, Exercise3RowsAndScriptForTwoQuestions)
{
    FixtureDataFolder data(kSchema);
    const auto row = [](int n, const QString& colour, const QString& word, const QStringList& options) {
        QString r = " <tr>     <td height='40' align='center' width='10%' bgcolor='" + colour + "'><a href='cmd:" + Speaker(word)
            + "     <td width='30%' bgcolor='" + colour + "'>" + Font(word) + "     </td>";
        for (int k = 1; k <= 4; ++k) {
            const QString nk = QString::number(n) + "_" + QString::number(k);
            r += "     <td width='2%' bgcolor='" + colour + "'>        <input type='radio' name='opt_" + word + "' id='opt_" + word + "_"
                + QString::number(k) + "' onclick=\"javascript:checkAnswer(" + QString::number(n) + "," + QString::number(k)
                + ");\">     </td>     <td width='13%' bgcolor='" + colour + "'><font id='optfield_" + nk + "'></font>"
                + Glyphs(options[k - 1]) + "     </td>";
        }
        return r + " </tr>";
    };
    const QString script = Expand(
        "<script type='text/JavaScript'>\r\n"
        "<!--\r\n"
        " var tmpWord = new Array(300);\r\n"
        "tmpWord[1] = 1;\r\n"
        "tmpWord[2] = 2;\r\n"
        "\r\n"
        " function checkAnswer(pIndex,pAns)\r\n"
        " {\r\n"
        "     var thisField = 'optfield_' + pIndex + '_' + pAns;\r\n"
        "     if (tmpWord[pIndex] == pAns)\r\n"
        "     {\r\n"
        "         document.getElementById(thisField).innerHTML = \"<img src='{T}/pic/ans_ok.gif'>\";\r\n"
        "         location.href='cmd:ANS:Y';\r\n"
        "     }\r\n"
        "     else\r\n"
        "     {\r\n"
        "         document.getElementById(thisField).innerHTML = \"<img src='{T}/pic/ans_err.gif'>\";\r\n"
        "         location.href='cmd:ANS:N';\r\n"
        "     }\r\n"
        " }\r\n"
        "//-->\r\n"
        "</script>\r\n");
    EXPECT_EQ(Exercise3Page("K01"), kHeader + kBodyAuto + kTable + row(1, "#FFFFFF", "cat", {"(kAt)", "(kat)", "(ket)", "(kEt)"})
                                        + row(2, "#FFCA95", "cake", {"(kAk)", "(kek)", "(kik)", "(kok)"}) + "</table>\r\n" + script
                                        + kFooter);
}

TEST(ExercisePages, Exercise3ScriptWithoutQuestionsKeepsTheEmptyLine)
{
    FixtureDataFolder data(kSchema);
    const QString page = Exercise3Page("K99");
    EXPECT_TRUE(page.contains(kTable + "</table>\r\n<script type='text/JavaScript'>\r\n<!--\r\n var tmpWord = new Array(300);\r\n\r\n"
                              " function checkAnswer(pIndex,pAns)\r\n"));
}

TEST(ExercisePages, Exercise3KeepsTheScriptValidForOddValues)
{
    FixtureDataFolder data({fixture::kSchema[3], "insert into kk_reco values ('K05', 'it''s', 'a', 'b', 'c', 'd', '2);alert(1')"});
    const QString page = Exercise3Page("K05");
    // The radio group's name and id stay inside their quotes.
    EXPECT_TRUE(page.contains("name='opt_it&#39;s' id='opt_it&#39;s_1'"));
    // An answer that is not a bare number is written as a string, not as script.
    EXPECT_TRUE(page.contains("tmpWord[1] = '2);alert(1';\r\n"));
}
