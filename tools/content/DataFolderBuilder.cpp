#include "DataFolderBuilder.h"

#include "ContentCheck.h"
#include "ContentSources.h"
#include "GlyphImages.h"
#include "PageIcons.h"
#include "Recordings.h"
#include "lessons/RulePageCodec.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

namespace {

bool WriteBytes(const QString& path, const QByteArray& bytes, QString* error)
{
    // Files are written into the staging folder, which is swapped in whole.
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size()) {
        *error = QStringLiteral("cannot write %1").arg(path);
        return false;
    }
    return true;
}

QString SqlName(const QString& name) { return QLatin1Char('"') + name + QLatin1Char('"'); }

// The pages are authored as UTF-8 documents; on disk they are Big5, and a
// page that says otherwise would be misread by anything honouring its meta.
QString DeclareBig5(QString page)
{
    static const QRegularExpression utf8(QStringLiteral("charset\\s*=\\s*([\"']?)utf-?8"),
                                         QRegularExpression::CaseInsensitiveOption);
    page.replace(utf8, QStringLiteral("charset=\\1big5"));
    return page;
}

bool WriteRulePages(const ContentSources& s, const QString& xtmDir, QString* error)
{
    if (!QDir().mkpath(xtmDir + QStringLiteral("/css"))) {
        *error = QStringLiteral("cannot create %1").arg(xtmDir);
        return false;
    }
    QSet<QString> written;
    for (const char* name : {"vowels_sound", "consonants_sound"}) {
        const TsvTable& t = s.table(QString::fromLatin1(name));
        for (const TsvRow& row : t.rows) {
            const QString htm = t.text(row, QStringLiteral("htm"));
            if (htm.isEmpty() || written.contains(htm))
                continue;
            written.insert(htm);
            const std::optional<QString> page = ReadUtf8File(s.rulePagePath(htm), nullptr);
            if (!page) {
                *error = QStringLiteral("cannot read %1").arg(s.rulePagePath(htm));
                return false;
            }
            QString e;
            const QByteArray bytes = Big5FileBytes(EncodeRulePage(DeclareBig5(*page)), &e);
            if (bytes.isEmpty()) {
                *error = s.rulePagePath(htm) + QStringLiteral(": ") + e;
                return false;
            }
            if (!WriteBytes(QDir(xtmDir).filePath(htm + QStringLiteral(".xtm")), bytes, error))
                return false;
        }
    }
    const std::optional<QString> css = ReadUtf8File(s.cssPath, nullptr);
    QString e;
    const QByteArray cssBytes = Big5FileBytes(css.value_or(QString()), &e);
    if (cssBytes.isEmpty()) {
        *error = s.cssPath + QStringLiteral(": ") + e;
        return false;
    }
    return WriteBytes(QDir(xtmDir).filePath(QStringLiteral("css/rulestyle.css")), cssBytes, error);
}

// Removes a folder only when it is empty or holds what a build makes, so a
// mistyped output path never wipes anything else.
bool LooksLikeDataFolder(const QString& dir)
{
    const QDir d(dir);
    return d.isEmpty() || QFileInfo(d.filePath(QStringLiteral("vrndata.ver"))).isFile()
           || QFileInfo(d.filePath(QStringLiteral("vrnbase.mdb"))).isFile();
}

} // namespace

bool WriteContentDatabase(const ContentSources& s, const QString& path, QString* error)
{
    QFile::remove(path);
    const QString connection = QStringLiteral("varnelo-content-writer");
    bool ok = true;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
        db.setDatabaseName(path);
        if (!db.open()) {
            *error = QStringLiteral("cannot create %1: %2").arg(path, db.lastError().text());
            ok = false;
        }
        QSqlQuery q(db);
        const auto exec = [&](const QString& sql) {
            if (ok && !q.exec(sql)) {
                *error = QStringLiteral("%1: %2").arg(sql, q.lastError().text());
                ok = false;
            }
        };
        if (ok)
            db.transaction();
        for (const TableSpec& layout : ContentTables()) {
            QStringList columns, marks;
            for (const ColumnSpec& c : layout.columns) {
                // Text compares like the original engine: case-blind.
                columns << SqlName(c.name) + (c.integer ? QStringLiteral(" INTEGER") : QStringLiteral(" TEXT COLLATE NOCASE"));
                marks << QStringLiteral("?");
            }
            exec(QStringLiteral("CREATE TABLE %1 (%2)").arg(SqlName(layout.name), columns.join(QStringLiteral(", "))));
            if (!ok)
                break;
            // Rows go in file order: without ORDER BY that is the order read back.
            QSqlQuery insert(db);
            insert.prepare(QStringLiteral("INSERT INTO %1 VALUES (%2)").arg(SqlName(layout.name), marks.join(QStringLiteral(", "))));
            const TsvTable& t = s.table(layout.name);
            for (const TsvRow& row : t.rows) {
                for (int i = 0; i < layout.columns.size(); ++i) {
                    const Cell& c = row.cells.at(i);
                    if (!c)
                        insert.bindValue(i, QVariant(QMetaType::fromType<QString>()));
                    else if (layout.columns.at(i).integer)
                        insert.bindValue(i, c->toInt());
                    else
                        insert.bindValue(i, *c);
                }
                if (!insert.exec()) {
                    *error = QStringLiteral("%1:%2: %3").arg(t.path).arg(row.line).arg(insert.lastError().text());
                    ok = false;
                    break;
                }
            }
            if (!ok)
                break;
        }
        if (ok && !db.commit()) {
            *error = db.lastError().text();
            ok = false;
        }
        q.clear();
        db.close();
    }
    QSqlDatabase::removeDatabase(connection);
    return ok;
}

bool BuildDataFolder(const BuildOptions& o, QString* error)
{
    const auto say = [&](const QString& line) {
        if (o.progress)
            o.progress(line);
    };
    QElapsedTimer clock;
    clock.start();
    const auto step = [&](const QString& what) {
        say(QStringLiteral("%1 (%2 s)").arg(what).arg(clock.elapsed() / 1000.0, 0, 'f', 1));
    };

    const ContentSources sources = LoadContentSources(o.contentDir);
    int faults = 0;
    for (const Fault& f : CheckContent(sources)) {
        say(f.text());
        if (!f.warning)
            ++faults;
    }
    if (faults > 0 && !o.allowFaults) {
        *error = QStringLiteral("%1 fault(s) in %2; nothing built").arg(faults).arg(o.contentDir);
        return false;
    }

    const QString out = QDir::cleanPath(QDir(o.outDir).absolutePath());
    if (QFileInfo::exists(out) && !LooksLikeDataFolder(out)) {
        *error = QStringLiteral("%1 exists and is not a data folder; not replacing it").arg(out);
        return false;
    }
    const QString staging = out + QStringLiteral(".building");
    QDir(staging).removeRecursively();
    if (!QDir().mkpath(staging)) {
        *error = QStringLiteral("cannot create %1").arg(staging);
        return false;
    }
    const auto in = [&](const QString& rel) { return QDir(staging).filePath(rel); };

    if (!WriteContentDatabase(sources, in(QStringLiteral("vrnbase.mdb")), error))
        return false;
    step(QStringLiteral("database written"));
    if (!WriteRulePages(sources, in(QStringLiteral("xtm")), error))
        return false;
    step(QStringLiteral("rule pages written"));
    if (!WriteGlyphImages(sources.glyphs, in(QStringLiteral("symbol")),
                          o.glyphFont.isEmpty() ? DefaultGlyphFont() : o.glyphFont, error))
        return false;
    step(QStringLiteral("glyph images written"));
    if (!WritePageIcons(in(QStringLiteral("pic")), error))
        return false;
    step(QStringLiteral("page icons written"));
    SynthesisOptions so;
    so.cacheDir = o.cacheDir;
    so.jobs = std::clamp(o.jobs, 1, 2);
    so.progress = o.progress;
    if (!MakeRecordings(PlanRecordings(sources), in(QStringLiteral("xp3")), so, error))
        return false;
    step(QStringLiteral("recordings written"));
    if (!WriteBytes(in(QStringLiteral("vrndata.ver")), o.version.toUtf8() + "\n", error))
        return false;

    // Swap the finished folder in.
    const QString old = out + QStringLiteral(".old");
    QDir(old).removeRecursively();
    if (QFileInfo::exists(out) && !QDir().rename(out, old)) {
        *error = QStringLiteral("cannot move the old %1 aside").arg(out);
        return false;
    }
    if (!QDir().rename(staging, out)) {
        *error = QStringLiteral("cannot move %1 into place").arg(staging);
        return false;
    }
    QDir(old).removeRecursively();
    step(QStringLiteral("data folder %1 complete").arg(out));
    return true;
}
