#pragma once
#include <QString>
#include <QStringList>

// The per-user settings file: lines of key "=" value, Big5, CR LF.
//
// Mode "R" returns the value of the key (empty when absent or no file);
// mode "W" sets it, appending the entry when new, and rewrites the whole file;
// any other mode only reads. A read or write failure sets *ok to false.
QString SettingsValue(const QString& filePath, const QString& mode, const QString& key,
                      const QString& value, bool* ok = nullptr);

// The parsing rule, on decoded text: one entry per non-blank line.
struct SettingsEntries {
    QStringList keys;
    QStringList values;
};
SettingsEntries ParseSettingsText(const QString& text);
QString FormatSettingsText(const SettingsEntries& entries);
