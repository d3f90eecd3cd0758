#pragma once
#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

// A writable copy of the small fixture content folder, to edit per case.
class ContentFolder {
public:
    ContentFolder();
    QString dir() const { return m_dir.filePath(QStringLiteral("content")); }
    QString path(const QString& relative) const;
    QString read(const QString& relative) const;
    void write(const QString& relative, const QByteArray& bytes) const;
    // Replaces the first occurrence; returns false when the text is not there.
    bool replace(const QString& relative, const QString& from, const QString& to) const;
    void appendLine(const QString& relative, const QString& line) const;
    void remove(const QString& relative) const;
    // Somewhere beside the content folder for outputs.
    QString scratch(const QString& name) const { return m_dir.filePath(name); }

private:
    QTemporaryDir m_dir;
};

bool CopyFolder(const QString& from, const QString& to);
QByteArray ReadAll(const QString& path);
bool WriteAll(const QString& path, const QByteArray& bytes);

// Every SQL text the program runs, with values taken from the data folder's
// own rows; returns what came back empty or failed (empty when all answered).
QStringList SqlTextsWithoutRows(const QString& dataFolder);
