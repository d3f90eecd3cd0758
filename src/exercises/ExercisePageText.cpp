#include "ExercisePageText.h"

#include "app/AppValues.h"
#include "data/RecordSet.h"
#include "pages/PageFrame.h"

namespace ExercisePage {

QString PictureUrl(const QString& fileName) { return DataFolderUrl() + QStringLiteral("/pic/") + fileName; }

QString RowColour(int recordNumber)
{
    return QString::fromLatin1(IsWhiteRow(recordNumber) ? "#FFFFFF" : "#FFCA95");
}

QString SpeakerCell(const QString& opening, const QString& soundName)
{
    const QString q = QStringLiteral("\"");
    const auto swap = [&](const char* picture) {
        return q + QStringLiteral("javascript:this.src='") + PictureUrl(QString::fromLatin1(picture)) + QStringLiteral("';") + q;
    };
    return opening + Attribute(soundName) + QStringLiteral("'><img src='") + PictureUrl(QStringLiteral("speaker_s_normal.gif"))
        + QStringLiteral("' onmousemove=") + swap("speaker_s_over.gif") + QStringLiteral(" onmouseout=") + swap("speaker_s_normal.gif")
        + QStringLiteral(" onmousedown=") + swap("speaker_s_click.gif") + QStringLiteral(" border='0'></a></td>");
}

QString Page(const QString& bodyTag, const QString& content)
{
    return GetHtmlFrame(QStringLiteral("HEADER"), QStringLiteral("#FFFFFF")) + bodyTag + Crlf() + content
        + GetHtmlFrame(QStringLiteral("FOOTER"), QString());
}

QString ItemTable(const QString& sql, const RowBuilder& row)
{
    QString table = QStringLiteral("<table width='100%' border='0' cellspacing='0' cellpadding='0'>") + Crlf();
    RecordSet rs(sql);
    for (int n = 0; !rs.EndOfData(); rs.MoveNext(), ++n)
        table += row(n, rs);
    table += QStringLiteral("</table>") + Crlf();
    return table;
}

}  // namespace ExercisePage
