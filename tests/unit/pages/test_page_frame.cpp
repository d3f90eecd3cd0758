#include "app/AppValues.h"
#include "pages/PageFrame.h"

#include <gtest/gtest.h>

namespace {
const QString kHeaderWhite = QStringLiteral(
    "<html>\r\n"
    "<head>\r\n"
    "<meta http-equiv='Content-Type' content='text/html; charset=big5'>\r\n"
    "<title></title>\r\n"
    "</head>\r\n"
    "<style>\r\n"
    "body {\r\n"
    "   border-style:none; background-color: #FFFFFF;\r\n"
    "}\r\n"
    "</style>\r\n");
const QString kFooter = QStringLiteral("</body>\r\n</html>\r\n");
}

TEST(PageFrame, FrameParts)
{
    struct Case {
        const char* part;
        const char* background;
        QString expected;
    };
    const Case cases[] = {
        {"HEADER", "#FFFFFF", kHeaderWhite},
        {"FOOTER", "", kFooter},
        // The colour does not reach the footer.
        {"FOOTER", "#FFFFFF", kFooter},
        // Keywords are compared exactly.
        {"header", "#FFFFFF", QString()},
        {"Footer", "", QString()},
        {"", "#FFFFFF", QString()},
        {"HEADER ", "#FFFFFF", QString()},
    };
    for (const Case& c : cases)
        EXPECT_EQ(GetHtmlFrame(QString::fromLatin1(c.part), QString::fromLatin1(c.background)), c.expected) << c.part;
}

TEST(PageFrame, BorderVariantChangesOnlyLineEight)
{
    QString expected = kHeaderWhite;
    expected.replace(QStringLiteral("border-style:none;"), QStringLiteral("border-style:groove;"));
    EXPECT_EQ(GetHtmlFrameBorder(QStringLiteral("HEADER"), QStringLiteral("#FFFFFF"), QStringLiteral("groove")), expected);
    EXPECT_EQ(GetHtmlFrameBorder(QStringLiteral("FOOTER"), QStringLiteral("red"), QStringLiteral("groove")), kFooter);
    EXPECT_EQ(GetHtmlFrameBorder(QStringLiteral("footer"), QString(), QStringLiteral("groove")), QString());
    // An empty background is written as it is.
    EXPECT_TRUE(GetHtmlFrame(QStringLiteral("HEADER"), QString()).contains(QStringLiteral("background-color: ;\r\n")));
}

TEST(PageFrame, BodyTags)
{
    const QString rest = QStringLiteral(
        "' topmargin='0' leftmargin='0' rightmargin='0' bottommargin='0' "
        "ONDRAGSTART='window.event.returnValue=false' ONCONTEXTMENU='window.event.returnValue=false' "
        "onSelectStart='event.returnValue=false'>");
    EXPECT_EQ(BodyTagLists(), QStringLiteral("<body scroll='yes") + rest);
    EXPECT_EQ(BodyTagScrolling(), QStringLiteral("<body scroll='auto") + rest);
    EXPECT_EQ(BodyTagFixed(), QStringLiteral("<body scroll='no") + rest);
}

TEST(PageFrame, TableOpeningUsesPageFontSize)
{
    MutableApp().PageFontSize = QStringLiteral("15px");
    EXPECT_EQ(StandardTableOpening(),
              QStringLiteral("<table style='font-size: 15px;' width='100%' align='center' border='0' "
                             "cellspacing='0' cellpadding='0'>\r\n"));
}

TEST(PageFrame, SelectableListPage)
{
    MutableApp().PageFontSize = QStringLiteral("15px");
    const QString page = SelectableListPage({{QStringLiteral("ae"), QStringLiteral("a_e")},
                                             {QStringLiteral("中 文"), QStringLiteral("<img src='x.gif'>")}});
    const QString expected =
        GetHtmlFrameBorder(QStringLiteral("HEADER"), QStringLiteral("#FFFFFF"), QStringLiteral("groove"))
        + BodyTagLists() + QStringLiteral("\r\n")
        + QStringLiteral(
            "<script>\r\n"
            "     var lastIndex = 0;\r\n"
            "     function resetSelectColor(pIdx)\r\n"
            "     {\r\n"
            "         var tmpFieldOld = 'td' + lastIndex;\r\n"
            "         var tmpFieldNew = 'td' + pIdx;\r\n"
            "         document.getElementById(tmpFieldOld).style.background='#FFFFFF';\r\n"
            "         document.getElementById(tmpFieldNew).style.background='#FFCA95';\r\n"
            "         lastIndex = pIdx;\r\n"
            "     }\r\n"
            "     function setBackColor(pIdx,pAct)\r\n"
            "     {\r\n"
            "         var tmpField = 'td' + pIdx;\r\n"
            "         if (pAct == 'mouseover')\r\n"
            "         {\r\n"
            "             document.getElementById(tmpField).style.background='#D7EEFF';\r\n"
            "         }\r\n"
            "         if (pAct == 'mouseout')\r\n"
            "         {\r\n"
            "             if (pIdx == lastIndex)\r\n"
            "             {\r\n"
            "                 document.getElementById(tmpField).style.background='#FFCA95';\r\n"
            "             }\r\n"
            "             else\r\n"
            "             {\r\n"
            "                 document.getElementById(tmpField).style.background='#FFFFFF';\r\n"
            "             }\r\n"
            "         }\r\n"
            "     }\r\n"
            "</script>\r\n"
            "<table style='font-size: 15px;' width='100%' align='center' border='0' cellspacing='0' cellpadding='0'>\r\n"
            "<tr id='td0' onmouseover=\"javascript:setBackColor(0,'mouseover');\" onmouseout=\"javascript:setBackColor(0,'mouseout');\">"
            "     <td width='100%' height='50' align='center' valign='middle' onclick=\"javascript:resetSelectColor(0);location.href='cmd:0#ae';\" style='cursor: pointer;'>"
            "a_e"
            "     </td></tr>\r\n"
            "<tr id='td1' onmouseover=\"javascript:setBackColor(1,'mouseover');\" onmouseout=\"javascript:setBackColor(1,'mouseout');\">"
            "     <td width='100%' height='50' align='center' valign='middle' onclick=\"javascript:resetSelectColor(1);location.href='cmd:1#中 文';\" style='cursor: pointer;'>"
            "<img src='x.gif'>"
            "     </td></tr>\r\n"
            "</table>\r\n"
            "<script>setBackColor(0,'mouseout');</script>\r\n"
            "</body>\r\n</html>\r\n");
    EXPECT_EQ(page, expected);
}

TEST(PageFrame, EmptyListStillClosesItsTable)
{
    const QString page = SelectableListPage({});
    EXPECT_TRUE(page.endsWith(QStringLiteral(
        "cellspacing='0' cellpadding='0'>\r\n</table>\r\n<script>setBackColor(0,'mouseout');</script>\r\n</body>\r\n</html>\r\n")));
}
