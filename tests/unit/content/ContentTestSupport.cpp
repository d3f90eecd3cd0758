#include "ContentTestSupport.h"

#include "data/Database.h"
#include "data/RecordSet.h"
#include "data/SqlTexts.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

bool CopyFolder(const QString& from, const QString& to)
{
    QDirIterator it(from, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString src = it.next();
        const QString dst = QDir(to).filePath(QDir(from).relativeFilePath(src));
        // Plain writes: QFile::copy goes through a synced temporary file,
        // which makes dozens of fixture copies slow.
        if (!WriteAll(dst, ReadAll(src)))
            return false;
    }
    return true;
}

QByteArray ReadAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool WriteAll(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

ContentFolder::ContentFolder() { CopyFolder(QStringLiteral(VARNELO_CONTENT_FIXTURE), dir()); }

QString ContentFolder::path(const QString& relative) const { return QDir(dir()).filePath(relative); }

QString ContentFolder::read(const QString& relative) const { return QString::fromUtf8(ReadAll(path(relative))); }

void ContentFolder::write(const QString& relative, const QByteArray& bytes) const { WriteAll(path(relative), bytes); }

bool ContentFolder::replace(const QString& relative, const QString& from, const QString& to) const
{
    QString text = read(relative);
    const qsizetype at = text.indexOf(from);
    if (at < 0)
        return false;
    text.replace(at, from.size(), to);
    write(relative, text.toUtf8());
    return true;
}

void ContentFolder::appendLine(const QString& relative, const QString& line) const
{
    write(relative, (read(relative) + line + QLatin1Char('\n')).toUtf8());
}

void ContentFolder::remove(const QString& relative) const { QFile::remove(path(relative)); }

QStringList SqlTextsWithoutRows(const QString& dataFolder)
{
    const QString connection = ConnectionStringFor(QStringLiteral("0.0.0"), dataFolder);
    QStringList missing;
    const auto rows = [&](const QString& sql) {
        RecordSet rs(sql, connection);
        if (!rs.IsOpen())
            missing << sql + QStringLiteral("  [") + rs.Error() + QLatin1Char(']');
        else if (rs.EndOfData())
            missing << sql;
        return rs;
    };
    const auto column = [&](const QString& sql, const QString& name) {
        QStringList values;
        for (RecordSet rs = rows(sql); !rs.EndOfData(); rs.MoveNext())
            values << rs.Text(name);
        return values;
    };

    for (Sql::Kind kind : {Sql::Kind::Vowel, Sql::Kind::Consonant}) {
        const QStringList sets = column(Sql::LetterSets(kind), QStringLiteral("letter_set"));
        column(Sql::Sounds(kind), QStringLiteral("sound"));
        for (RecordSet rs = rows(QStringLiteral("select * from ") + Sql::TableOf(kind)); !rs.EndOfData(); rs.MoveNext()) {
            const QString ls = rs.Text(QStringLiteral("letter_set"));
            const QString snd = rs.Text(QStringLiteral("sound"));
            rows(Sql::RowsOfLetterSet(kind, ls));
            rows(Sql::RowsOfSound(kind, snd));
            if (kind == Sql::Kind::Vowel) {
                rows(Sql::VowelWords(ls, snd));
            } else {
                for (const QString& code : column(Sql::ConsonantSoundCode(ls, snd), QStringLiteral("scode")))
                    rows(Sql::WordsWithSoundCode(code));
            }
        }
    }
    for (QChar prefix : {u'E', u'P', u'K', u'S'}) {
        for (const QString& unit : column(Sql::Units(prefix), QStringLiteral("unitcode"))) {
            switch (prefix.unicode()) {
            case u'E':
                rows(Sql::BeginnerItems(unit));
                break;
            case u'P':
                rows(Sql::Exercise2Words(unit));
                break;
            case u'K':
                rows(Sql::Exercise3Questions(unit));
                break;
            default:
                for (const QString& word : column(Sql::Exercise4Words(unit), QStringLiteral("word")))
                    rows(Sql::WordRow(word));
            }
        }
    }
    rows(Sql::EngineCheck());
    return missing;
}
