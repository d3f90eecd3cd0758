#include "SoundLists.h"

#include "data/RecordSet.h"
#include "data/SqlTexts.h"
#include "data/Text.h"
#include "pages/PageFrame.h"
#include "pages/PhoneticHtml.h"

namespace {
Sql::Kind KindOf(qint16 soundType) { return soundType == 0 ? Sql::Kind::Vowel : Sql::Kind::Consonant; }

QString MainColumn(qint16 listMode) { return listMode == 0 ? QStringLiteral("letter_set") : QStringLiteral("sound"); }
QString SubColumn(qint16 listMode) { return listMode == 0 ? QStringLiteral("sound") : QStringLiteral("letter_set"); }

constexpr qint16 kListGlyphHeight = 48;
}

QString GetWordKey(qint16 listMode, qint16 soundType)
{
    if (listMode == 0)
        return soundType == 0 ? QStringLiteral("phsnd1") : QStringLiteral("phsnd2");
    return soundType == 0 ? QStringLiteral("phchr1") : QStringLiteral("phchr2");
}

bool CheckListWordFound(QStringList& lstTemp, const QString& word, bool reset)
{
    if (reset) {
        lstTemp.clear();
        return false;
    }
    // A plain scan: a list holds a few dozen entries at most.
    if (lstTemp.contains(word, Qt::CaseSensitive))
        return true;
    lstTemp.append(word);
    return false;
}

QString MainListQuery(qint16 listMode, qint16 soundType)
{
    return listMode == 0 ? Sql::LetterSets(KindOf(soundType)) : Sql::Sounds(KindOf(soundType));
}

QString SubListQuery(qint16 listMode, qint16 soundType, const QString& mainValue)
{
    return listMode == 0 ? Sql::RowsOfLetterSet(KindOf(soundType), mainValue) : Sql::RowsOfSound(KindOf(soundType), mainValue);
}

QString ListCell(qint16 listMode, bool isMain, const QString& value)
{
    const bool showsLetterSet = (listMode == 0) == isMain;
    if (showsLetterSet)
        return QStringLiteral("<font style='font-family: Arial; font-size: 28px; font-weight: bold;'>") + value
            + QStringLiteral("</font>");
    return GetPhoneticHtml(GlyphBase(), value, kListGlyphHeight);
}

MainList BuildMainList(qint16 listMode, qint16 soundType, QStringList& lstTemp)
{
    MainList out;
    QList<QPair<QString, QString>> rows;
    RecordSet rs(MainListQuery(listMode, soundType));
    CheckListWordFound(lstTemp, QString(), true);
    const QString column = MainColumn(listMode);
    for (; !rs.EndOfData(); rs.MoveNext()) {
        const QString value = rs.Trimmed(column);
        if (CheckListWordFound(lstTemp, value, false))
            continue;
        if (out.values.isEmpty())
            out.mainValue = value;
        out.values.append(value);
        rows.append({value, ListCell(listMode, true, value)});
    }
    out.html = SelectableListPage(rows);
    return out;
}

SubList BuildSubList(qint16 listMode, qint16 soundType, const QString& mainValue, QStringList& lstTemp)
{
    SubList out;
    QList<QPair<QString, QString>> rows;
    RecordSet rs(SubListQuery(listMode, soundType, mainValue));
    CheckListWordFound(lstTemp, QString(), true);
    const QString valueColumn = SubColumn(listMode);
    const QString keyColumn = MainColumn(listMode);
    for (; !rs.EndOfData(); rs.MoveNext()) {
        const QString value = rs.Trimmed(valueColumn);
        // The database compares without letter case; the lists do not.
        if (rs.Trimmed(keyColumn) != mainValue)
            continue;
        if (CheckListWordFound(lstTemp, value, false))
            continue;
        out.mp3.append(rs.Trimmed(QStringLiteral("mp3")));
        out.htm.append(rs.Trimmed(QStringLiteral("htm")));
        if (out.values.isEmpty())
            out.subValue = value;
        out.values.append(value);
        rows.append({value, ListCell(listMode, false, value)});
    }
    out.html = SelectableListPage(rows);
    return out;
}

ListClick ParseListCommand(const QString& command)
{
    ListClick click;
    const qsizetype hash = command.indexOf(QLatin1Char('#'));
    const QString index = hash < 0 ? command : command.left(hash);
    click.value = hash < 0 ? QString() : command.mid(hash + 1);
    click.index = index.toShort();
    return click;
}
