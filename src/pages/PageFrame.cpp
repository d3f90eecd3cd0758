#include "PageFrame.h"

#include "app/AppValues.h"

QString GetHtmlFrameBorder(const QString& part, const QString& background, const QString& borderStyle)
{
    const QString crlf = Crlf();
    if (part == QLatin1String("HEADER")) {
        return QStringLiteral("<html>") + crlf
            + QStringLiteral("<head>") + crlf
            + QStringLiteral("<meta http-equiv='Content-Type' content='text/html; charset=big5'>") + crlf
            + QStringLiteral("<title></title>") + crlf
            + QStringLiteral("</head>") + crlf
            + QStringLiteral("<style>") + crlf
            + QStringLiteral("body {") + crlf
            + QStringLiteral("   border-style:") + borderStyle + QStringLiteral("; background-color: ") + background + QStringLiteral(";") + crlf
            + QStringLiteral("}") + crlf
            + QStringLiteral("</style>") + crlf;
    }
    if (part == QLatin1String("FOOTER"))
        return QStringLiteral("</body>") + crlf + QStringLiteral("</html>") + crlf;
    return QString();
}

QString GetHtmlFrame(const QString& part, const QString& background)
{
    return GetHtmlFrameBorder(part, background, QStringLiteral("none"));
}

namespace {
QString bodyTag(const char* scroll)
{
    return QStringLiteral("<body scroll='") + QLatin1String(scroll)
        + QStringLiteral("' topmargin='0' leftmargin='0' rightmargin='0' bottommargin='0' "
                         "ONDRAGSTART='window.event.returnValue=false' "
                         "ONCONTEXTMENU='window.event.returnValue=false' "
                         "onSelectStart='event.returnValue=false'>");
}

const char* const kRowScript[] = {
    "<script>",
    "     var lastIndex = 0;",
    "     function resetSelectColor(pIdx)",
    "     {",
    "         var tmpFieldOld = 'td' + lastIndex;",
    "         var tmpFieldNew = 'td' + pIdx;",
    "         document.getElementById(tmpFieldOld).style.background='#FFFFFF';",
    "         document.getElementById(tmpFieldNew).style.background='#FFCA95';",
    "         lastIndex = pIdx;",
    "     }",
    "     function setBackColor(pIdx,pAct)",
    "     {",
    "         var tmpField = 'td' + pIdx;",
    "         if (pAct == 'mouseover')",
    "         {",
    "             document.getElementById(tmpField).style.background='#D7EEFF';",
    "         }",
    "         if (pAct == 'mouseout')",
    "         {",
    "             if (pIdx == lastIndex)",
    "             {",
    "                 document.getElementById(tmpField).style.background='#FFCA95';",
    "             }",
    "             else",
    "             {",
    "                 document.getElementById(tmpField).style.background='#FFFFFF';",
    "             }",
    "         }",
    "     }",
    "</script>",
};
}

QString BodyTagLists() { return bodyTag("yes"); }
QString BodyTagScrolling() { return bodyTag("auto"); }
QString BodyTagFixed() { return bodyTag("no"); }

QString StandardTableOpening()
{
    return QStringLiteral("<table style='font-size: ") + App().PageFontSize
        + QStringLiteral(";' width='100%' align='center' border='0' cellspacing='0' cellpadding='0'>") + Crlf();
}

QString SelectableListRow(int index, const QString& value, const QString& cellContent)
{
    const QString i = QString::number(index);
    const QChar q = QLatin1Char('"');
    return QStringLiteral("<tr id='td") + i + QStringLiteral("' onmouseover=") + q
        + QStringLiteral("javascript:setBackColor(") + i + QStringLiteral(",'mouseover');") + q
        + QStringLiteral(" onmouseout=") + q + QStringLiteral("javascript:setBackColor(") + i
        + QStringLiteral(",'mouseout');") + q + QStringLiteral(">")
        + QStringLiteral("     <td width='100%' height='50' align='center' valign='middle' onclick=") + q
        + QStringLiteral("javascript:resetSelectColor(") + i + QStringLiteral(");location.href='cmd:") + i
        + QLatin1Char('#') + value + QStringLiteral("';") + q + QStringLiteral(" style='cursor: pointer;'>")
        + cellContent
        + QStringLiteral("     </td>")
        + QStringLiteral("</tr>");
}

QString SelectableListPage(const QList<QPair<QString, QString>>& rows)
{
    const QString crlf = Crlf();
    QString page = GetHtmlFrameBorder(QStringLiteral("HEADER"), QStringLiteral("#FFFFFF"), QStringLiteral("groove"));
    page += BodyTagLists() + crlf;
    for (const char* line : kRowScript)
        page += QLatin1String(line) + crlf;
    page += StandardTableOpening();
    for (qsizetype i = 0; i < rows.size(); ++i)
        page += SelectableListRow(int(i), rows[i].first, rows[i].second) + crlf;
    page += QStringLiteral("</table>") + crlf;
    page += QStringLiteral("<script>setBackColor(0,'mouseout');</script>") + crlf;
    page += GetHtmlFrameBorder(QStringLiteral("FOOTER"), QString(), QStringLiteral("groove"));
    return page;
}
