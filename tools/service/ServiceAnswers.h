#pragma once
#include "ServiceConfig.h"

#include <QDateTime>
#include <QMap>
#include <QString>
#include <optional>

// The answers of the keyed pages, apart from any server: the program posts a
// form body and reads the answer text (sent as Big5).

// "name=value&name=value": values are taken as they stand (the program sends
// plain ASCII without URL encoding). A later field of the same name wins.
QMap<QString, QString> ParseFormBody(const QString& body);

struct ServiceAnswer {
    int status = 200;
    QString text;
};

// The keyed pages: "p_getconn.asp", "p_getversion.asp", "p_all_getdbver.asp",
// "p_publisher_news.asp".
bool IsKeyedPage(const QString& page);

// The answer of a keyed page to a form. A missing or wrong access key gets
// "ERR_KEY" and status 403, never data. base is the address the request was
// sent to ("http://host:port/"), now the server's clock.
ServiceAnswer AnswerKeyedPage(const QString& page, const QMap<QString, QString>& form, const ServiceConfig& config,
    const QString& base, const QDateTime& now);
