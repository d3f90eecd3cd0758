#include "ExerciseFixture.h"
#include "exercises/UnitListPage.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

using namespace fixture;

namespace {
const QString kRowStart = QStringLiteral(
    " <tr onmouseover=\"javascript:this.style.background='#D7EEFF';\" onmouseout=\"javascript:this.style.background='#FFFFFF';\">");
const QString kFont = QStringLiteral("><font style='font-family:Arial; font-size: 15px;'>");

QString Click(const QString& code) { return QStringLiteral("\"javascript:location.href='cmd:") + code + QStringLiteral("';\""); }
}

TEST(UnitList, RowOfEachVariant)
{
    FixtureDataFolder data;
    struct Case {
        int exercise;
        QString code, title;
        bool selected;
        QString want;
    };
    const Case cases[] = {
        {1, "E5", "A E I", false,
         kRowStart + "     <td width='100%' height='40' align='left' onclick=" + Click("E5") + " style='cursor: pointer;' " + kFont
             + "5.AEI</font>     </td> </tr>\r\n"},
        // The chosen unit's colour shares the cell's one style attribute.
        {1, "E12", "b c", true,
         kRowStart + "     <td width='100%' height='40' align='left' onclick=" + Click("E12")
             + " style='cursor: pointer; background-color: #FFCA95;' " + kFont + "12.bc</font>     </td> </tr>\r\n"},
        {2, "P02", "子音：(tS)", true,
         kRowStart + "     <td width='25%' height='40' align='right' valign='top' onclick=" + Click("P02")
             + " style='cursor: pointer; padding-top:15px; background-color: #FFCA95;' " + kFont + "02.子音：</font>     </td>"
             + "     <td width='75%' height='40' align='left' valign='top' onclick=" + Click("P02")
             + " style='cursor: pointer; padding-top:10px; background-color: #FFCA95;' >" + ReplacePhoneticInHtml(GlyphBase(), "(tS)", 27)
             + "     </td> </tr>\r\n"},
        {2, "P01", "母音：(e)", false,
         kRowStart + "     <td width='25%' height='40' align='right' valign='top' onclick=" + Click("P01")
             + " style='cursor: pointer; padding-top:15px;' " + kFont + "01.母音：</font>     </td>"
             + "     <td width='75%' height='40' align='left' valign='top' onclick=" + Click("P01")
             + " style='cursor: pointer; padding-top:10px;' >" + ReplacePhoneticInHtml(GlyphBase(), "(e)", 27)
             + "     </td> </tr>\r\n"},
        {3, "K01", "kk one", true,
         kRowStart + "     <td width='10%' height='40' align='left' valign='middle' onclick=" + Click("K01")
             + " style='cursor: pointer; background-color: #FFCA95;' " + kFont + "01.</font>     </td>"
             + "     <td width='90%' align='left' valign='middle' onclick=" + Click("K01") + " style='cursor: pointer; background-color: #FFCA95;' " + kFont
             + "kkone</font>     </td> </tr>\r\n <tr><td height='5'></td></tr>\r\n"},
        {4, "S01", "spell one", false,
         kRowStart + "     <td width='10%' height='38' align='left' valign='middle' onclick=" + Click("S01")
             + " style='cursor: pointer;' " + kFont + "01.</font>     </td>"
             + "     <td width='90%' align='left' valign='middle' onclick=" + Click("S01") + " style='cursor: pointer;' " + kFont
             + "spellone</font>     </td> </tr>\r\n"},
        // A code with an apostrophe keeps the click script intact.
        {4, "S0'1", "it's", false,
         kRowStart + "     <td width='10%' height='38' align='left' valign='middle' onclick=" + Click("S0\\'1")
             + " style='cursor: pointer;' " + kFont + "0'.</font>     </td>"
             + "     <td width='90%' align='left' valign='middle' onclick=" + Click("S0\\'1") + " style='cursor: pointer;' " + kFont
             + "it's</font>     </td> </tr>\r\n"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(UnitListRow(c.exercise, c.code, c.title, c.selected), c.want) << c.exercise << " " << c.code.toStdString();
}

TEST(UnitList, PageListsTheUnitsOfThePrefixAndHighlightsTheChosenOne)
{
    FixtureDataFolder data(kSchema);
    ASSERT_TRUE(data.ok());
    const QString table = QStringLiteral("<table width='100%' cellspacing='0' cellpadding='0'>\r\n");
    // Trimmed codes and titles, in the database's order.
    EXPECT_EQ(UnitListPage(1, QString()), kHeader + kBodyAuto + table + UnitListRow(1, "E5", "A E I", false)
                                              + UnitListRow(1, "E12", "b c", false) + "</table>\r\n" + kFooter);
    EXPECT_EQ(UnitListPage(1, "E12"), kHeader + kBodyAuto + table + UnitListRow(1, "E5", "A E I", false)
                                          + UnitListRow(1, "E12", "b c", true) + "</table>\r\n" + kFooter);
    // Choosing the same unit again gives the same page.
    EXPECT_EQ(UnitListPage(1, "E12"), UnitListPage(1, "E12"));
    EXPECT_EQ(UnitListPage(2, "P01"), kHeader + kBodyAuto + table + UnitListRow(2, "P01", "母音：(e)", true)
                                          + UnitListRow(2, "P02", "子音：(tS)", false) + "</table>\r\n" + kFooter);
    EXPECT_EQ(UnitListPage(3, QString()), kHeader + kBodyAuto + table + UnitListRow(3, "K01", "kk one", false) + "</table>\r\n" + kFooter);
}

TEST(UnitList, UnreadableDatabaseGivesAnEmptyList)
{
    FixtureDataFolder data;  // no database file
    EXPECT_EQ(UnitListPage(4, QString()),
              kHeader + kBodyAuto + "<table width='100%' cellspacing='0' cellpadding='0'>\r\n</table>\r\n" + kFooter);
}
