// varnelo-content: turns the curriculum sources (content/) into the data
// folder the program reads, packs a data folder into the signed
// self-extracting content package, and checks the sources.
#include "ContentCheck.h"
#include "ContentSources.h"
#include "DataFolderBuilder.h"
#include "PackageWriter.h"

#include <QCoreApplication>
#include <QDir>
#include <QGuiApplication>

#include <cstdio>
#include <memory>

namespace {

const char* const kUsage =
    "usage:\n"
    "  varnelo-content build <content-dir> <out-data-folder> [--cache DIR] [--data-version TEXT]\n"
    "                        [--jobs 1|2] [--glyph-font FAMILY] [--allow-faults]\n"
    "  varnelo-content package <data-folder> <out.giz> --key <secret-key-file> [--stub FILE]\n"
    "                        [--expect-public-key HEX]\n"
    "  varnelo-content check <content-dir>\n"
    "  varnelo-content keygen <secret-key-file> <public-key-file>\n";

void Print(FILE* to, const QString& line)
{
    std::fprintf(to, "%s\n", line.toLocal8Bit().constData());
    std::fflush(to);
}

int Usage()
{
    std::fputs(kUsage, stderr);
    return 2;
}

// Positional arguments and --name value options.
struct Args {
    QStringList positional;
    QMap<QString, QString> options;
    QStringList flags;
};

bool Parse(const QStringList& raw, const QStringList& valued, const QStringList& flags, Args* out)
{
    for (qsizetype i = 0; i < raw.size(); ++i) {
        const QString& a = raw.at(i);
        if (!a.startsWith(QStringLiteral("--"))) {
            out->positional << a;
        } else if (valued.contains(a) && i + 1 < raw.size()) {
            out->options.insert(a, raw.at(++i));
        } else if (flags.contains(a)) {
            out->flags << a;
        } else {
            Print(stderr, QStringLiteral("unknown or incomplete option %1").arg(a));
            return false;
        }
    }
    return true;
}

int Check(const Args& a)
{
    if (a.positional.size() != 1)
        return Usage();
    const ContentSources sources = LoadContentSources(a.positional.at(0));
    int faults = 0, warnings = 0;
    for (const Fault& f : CheckContent(sources)) {
        Print(stdout, f.text());
        (f.warning ? warnings : faults)++;
    }
    Print(stderr, QStringLiteral("%1: %2 fault(s), %3 warning(s)").arg(a.positional.at(0)).arg(faults).arg(warnings));
    return faults == 0 ? 0 : 1;
}

int Build(const Args& a)
{
    if (a.positional.size() != 2)
        return Usage();
    BuildOptions o;
    o.contentDir = a.positional.at(0);
    o.outDir = a.positional.at(1);
    o.cacheDir = a.options.value(QStringLiteral("--cache"),
                                 QDir::cleanPath(QDir(o.outDir).absolutePath()) + QStringLiteral(".cache"));
    o.version = a.options.value(QStringLiteral("--data-version"), QStringLiteral("1.0.0"));
    o.glyphFont = a.options.value(QStringLiteral("--glyph-font"));
    o.jobs = a.options.value(QStringLiteral("--jobs"), QStringLiteral("2")).toInt();
    o.allowFaults = a.flags.contains(QStringLiteral("--allow-faults"));
    o.progress = [](const QString& line) { Print(stdout, line); };
    QString error;
    if (!BuildDataFolder(o, &error)) {
        Print(stderr, QStringLiteral("varnelo-content build: %1").arg(error));
        return 1;
    }
    return 0;
}

int Package(const Args& a)
{
    if (a.positional.size() != 2 || !a.options.contains(QStringLiteral("--key")))
        return Usage();
    PackageOptions o;
    o.dataDir = a.positional.at(0);
    o.outPath = a.positional.at(1);
    o.secretKeyFile = a.options.value(QStringLiteral("--key"));
    o.stubPath = a.options.value(QStringLiteral("--stub"),
                                 QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("varnelo-package-stub")));
    o.expectedPublicKeyHex = a.options.value(QStringLiteral("--expect-public-key"));
    QString error;
    if (!WritePackage(o, &error)) {
        Print(stderr, QStringLiteral("varnelo-content package: %1").arg(error));
        return 1;
    }
    Print(stdout, QStringLiteral("package %1 and %1.sig written").arg(o.outPath));
    return 0;
}

int Keygen(const Args& a)
{
    if (a.positional.size() != 2)
        return Usage();
    QString error;
    if (!WriteKeyPair(a.positional.at(0), a.positional.at(1), &error)) {
        Print(stderr, QStringLiteral("varnelo-content keygen: %1").arg(error));
        return 1;
    }
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    // Only building draws (glyphs and icons, with fonts, never shown).
    const bool draws = argc > 1 && qstrcmp(argv[1], "build") == 0;
    if (draws && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    std::unique_ptr<QCoreApplication> app(draws ? new QGuiApplication(argc, argv) : new QCoreApplication(argc, argv));
    QStringList raw = QCoreApplication::arguments().mid(1);
    if (raw.isEmpty())
        return Usage();
    const QString command = raw.takeFirst();
    Args args;
    if (command == QStringLiteral("build")) {
        if (!Parse(raw, {QStringLiteral("--cache"), QStringLiteral("--data-version"), QStringLiteral("--jobs"),
                         QStringLiteral("--glyph-font")},
                   {QStringLiteral("--allow-faults")}, &args))
            return Usage();
        return Build(args);
    }
    if (command == QStringLiteral("package")) {
        if (!Parse(raw, {QStringLiteral("--key"), QStringLiteral("--stub"), QStringLiteral("--expect-public-key")}, {},
                   &args))
            return Usage();
        return Package(args);
    }
    if (command == QStringLiteral("check")) {
        if (!Parse(raw, {}, {}, &args))
            return Usage();
        return Check(args);
    }
    if (command == QStringLiteral("keygen")) {
        if (!Parse(raw, {}, {}, &args))
            return Usage();
        return Keygen(args);
    }
    return Usage();
}
