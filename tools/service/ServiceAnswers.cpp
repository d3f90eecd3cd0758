#include "ServiceAnswers.h"

#include <QFile>

namespace {
const QString kGetConn = QStringLiteral("p_getconn.asp");
const QString kGetVersion = QStringLiteral("p_getversion.asp");
const QString kGetDbVer = QStringLiteral("p_all_getdbver.asp");
const QString kNews = QStringLiteral("p_publisher_news.asp");

ServiceAnswer Error(const QString& text, int status = 200) { return {status, text}; }

// The content version published with the package: the first line of its
// version file, read at each request so that a rebuilt package is announced
// without a restart.
std::optional<QString> FirstLineOf(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return QString::fromUtf8(file.readLine()).trimmed();
}
}

QMap<QString, QString> ParseFormBody(const QString& body)
{
    QMap<QString, QString> form;
    const QStringList fields = body.split(QLatin1Char('&'), Qt::SkipEmptyParts);
    for (const QString& field : fields) {
        const qsizetype eq = field.indexOf(QLatin1Char('='));
        if (eq < 0)
            form.insert(field, QString());
        else
            form.insert(field.left(eq), field.mid(eq + 1));
    }
    return form;
}

bool IsKeyedPage(const QString& page)
{
    return page == kGetConn || page == kGetVersion || page == kGetDbVer || page == kNews;
}

ServiceAnswer AnswerKeyedPage(const QString& page, const QMap<QString, QString>& form, const ServiceConfig& config,
    const QString& base, const QDateTime& now)
{
    if (!form.contains(QStringLiteral("key")) || form.value(QStringLiteral("key")) != config.accessKey)
        return Error(QStringLiteral("ERR_KEY"), 403);

    if (page == kGetConn)
        return {200, QStringLiteral("ONLINE ") + now.toString(QStringLiteral("yyyy/MM/dd HH:mm:ss"))};

    if (page == kGetVersion) {
        const QString type = form.value(QStringLiteral("type"));
        if (!config.versions.contains(type))
            return Error(QStringLiteral("ERR_UNKNOWN_TYPE"));
        return {200, config.versions.value(type)};
    }

    const QString softcode = form.value(QStringLiteral("softcode"));
    if (page == kGetDbVer) {
        if (config.dataVersions.contains(softcode))
            return {200, config.dataVersions.value(softcode)};
        if (config.dataVersionFiles.contains(softcode)) {
            const std::optional<QString> version = FirstLineOf(config.dataVersionFiles.value(softcode));
            if (!version || version->isEmpty())
                return Error(QStringLiteral("ERR_NO_DATA_VERSION"));
            return {200, *version};
        }
        return Error(QStringLiteral("ERR_UNKNOWN_SOFTCODE"));
    }

    if (page == kNews) {
        QString address = config.news.value(softcode);
        if (address.isEmpty())
            return {200, QStringLiteral("NO_NEWS")};
        address.replace(QStringLiteral("{base}"), base);
        return {200, QStringLiteral("OK_") + address};
    }
    return Error(QStringLiteral("ERR_UNKNOWN_PAGE"), 404);
}
