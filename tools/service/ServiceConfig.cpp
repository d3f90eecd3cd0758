#include "ServiceConfig.h"

#include <QDir>
#include <QStringEncoder>

namespace {
QString Resolve(const QString& baseFolder, const QString& path)
{
    if (path.isEmpty() || QDir::isAbsolutePath(path))
        return path;
    return QDir::cleanPath(QDir(baseFolder).filePath(path));
}

bool FitsBig5(const QString& text)
{
    QStringEncoder big5("Big5");
    // The encoder works when its result is taken, not when encode is called.
    const QByteArray bytes = big5.encode(text);
    return !big5.hasError();
}
}

ServiceConfig ParseServiceConfig(const QString& text, const QString& baseFolder, QStringList* errors)
{
    ServiceConfig config;
    QStringList problems;
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (int n = 0; n < lines.size(); ++n) {
        const QString line = lines.at(n).trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        auto problem = [&](const QString& what) { problems.append(QStringLiteral("line %1: %2").arg(n + 1).arg(what)); };
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (eq < 0) {
            problem(QStringLiteral("expected name = value"));
            continue;
        }
        const QString name = line.left(eq).trimmed();
        const QString value = line.mid(eq + 1).trimmed();
        if (!FitsBig5(value)) {
            problem(QStringLiteral("%1 cannot be sent as Big5").arg(name));
            continue;
        }
        const qsizetype dot = name.indexOf(QLatin1Char('.'));
        const QString group = dot < 0 ? name : name.left(dot);
        const QString item = dot < 0 ? QString() : name.mid(dot + 1);
        if (dot >= 0 && item.isEmpty()) {
            problem(QStringLiteral("%1 names no product").arg(name));
            continue;
        }
        if (name == QLatin1String("access_key")) {
            config.accessKey = value;
        } else if (group == QLatin1String("version") && dot >= 0) {
            config.versions.insert(item, value);
        } else if (group == QLatin1String("dataversion") && dot >= 0) {
            config.dataVersions.insert(item, value);
        } else if (group == QLatin1String("dataversion_file") && dot >= 0) {
            config.dataVersionFiles.insert(item, Resolve(baseFolder, value));
        } else if (group == QLatin1String("news") && dot >= 0) {
            config.news.insert(item, value);
        } else if (name == QLatin1String("package")) {
            config.packagePath = Resolve(baseFolder, value);
        } else if (name == QLatin1String("signature")) {
            config.signaturePath = Resolve(baseFolder, value);
        } else if (name == QLatin1String("site")) {
            config.siteFolder = Resolve(baseFolder, value);
        } else if (name == QLatin1String("port")) {
            bool ok = false;
            const int port = value.toInt(&ok);
            if (!ok || port < 0 || port > 65535)
                problem(QStringLiteral("port must be a number from 0 to 65535"));
            else
                config.port = port;
        } else if (name == QLatin1String("download_rate")) {
            bool ok = false;
            const int rate = value.toInt(&ok);
            if (!ok || rate < 0)
                problem(QStringLiteral("download_rate must be a number of KiB per second, 0 for no limit"));
            else
                config.downloadRateKiB = rate;
        } else if (name == QLatin1String("bind")) {
            config.bind = value;
        } else {
            problem(QStringLiteral("unknown setting %1").arg(name));
        }
    }
    if (config.accessKey.isEmpty())
        problems.append(QStringLiteral("access_key is missing"));
    if (config.signaturePath.isEmpty() && !config.packagePath.isEmpty())
        config.signaturePath = config.packagePath + QStringLiteral(".sig");
    if (errors)
        *errors = problems;
    return config;
}

QString DemoConfigText()
{
    return QStringLiteral(
        "# Built-in demo configuration of varnelo-service.\n"
        "access_key = " VARNELO_SERVICE_ACCESS_KEY "\n"
        "version.vrn = " VARNELO_PROGRAM_VERSION "\n"
        "version.vrnbig = " VARNELO_PROGRAM_VERSION "\n"
        "dataversion_file.vrn = giz/vrndata.ver\n"
        "news.vrn = {base}news/vrn/\n"
        "package = giz/vrndata.giz\n"
        "signature = giz/vrndata.giz.sig\n");
}
