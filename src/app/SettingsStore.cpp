#include "SettingsStore.h"

#include "data/FileHelpers.h"
#include "data/Text.h"

#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>
#include <QStringEncoder>


SettingsEntries ParseSettingsText(const QString& text)
{
    SettingsEntries out;
    QString normalized = text;
    normalized.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    const QStringList lines = normalized.split(QLatin1Char('\n'));
    for (const QString& line : lines) {
        if (TrimBlanks(line).isEmpty())
            continue;
        if (!line.contains(QLatin1Char('='))) {
            out.keys.append(line);
            out.values.append(QString());
            continue;
        }
        // The value ends at a second "="; the rest of the line is not kept.
        const QStringList pieces = line.split(QLatin1Char('='));
        out.keys.append(TrimBlanks(pieces.at(0)));
        out.values.append(TrimBlanks(pieces.at(1)));
    }
    return out;
}

QString FormatSettingsText(const SettingsEntries& entries)
{
    QString text;
    for (qsizetype i = 0; i < entries.keys.size(); ++i) {
        if (entries.keys.at(i).isEmpty())
            continue;
        text += entries.keys.at(i) + QLatin1Char('=') + entries.values.at(i) + QStringLiteral("\r\n");
    }
    return text;
}

QString SettingsValue(const QString& filePath, const QString& mode, const QString& key,
                      const QString& value, bool* ok)
{
    if (ok)
        *ok = true;
    auto fail = [ok]() {
        if (ok)
            *ok = false;
        return QString();
    };

    SettingsEntries entries;
    if (CheckFileExists(filePath)) {
        QFile file(filePath);
        if (!file.open(QIODevice::ReadOnly))
            return fail();
        QStringDecoder big5("Big5");
        const QString text = big5.decode(file.readAll());
        entries = ParseSettingsText(text);
    }

    if (mode == QLatin1String("R")) {
        const qsizetype at = entries.keys.indexOf(key);
        return at >= 0 ? entries.values.at(at) : QString();
    }
    if (mode != QLatin1String("W"))
        return QString();

    const qsizetype at = entries.keys.indexOf(key);
    if (at >= 0) {
        entries.values[at] = value;
    } else {
        entries.keys.append(key);
        entries.values.append(value);
    }
    QString text = FormatSettingsText(entries);
    // An empty key is still written last when it was not found, as "=" + value.
    if (at < 0 && key.isEmpty())
        text += key + QLatin1Char('=') + value + QStringLiteral("\r\n");

    QStringEncoder big5("Big5");
    const QByteArray bytes = big5.encode(text);
    if (big5.hasError())
        return fail();
    // Written to a temporary file and renamed, so a failed write never leaves
    // a half-written settings file behind.
    QSaveFile file(filePath);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        return fail();
    return QString();
}
