#include "ServiceChannel.h"

#include "OnlineNetwork.h"
#include "ResponseText.h"
#include "app/AppValues.h"
#include "app/Trace.h"

#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>

namespace {
constexpr std::chrono::milliseconds kDefaultTimeout{15000};
std::chrono::milliseconds g_timeout = kDefaultTimeout;

void TraceResponse(const QString& address, const QString& field, const QString& value)
{
    if (Trace::enabled())
        Trace::event(QStringLiteral("response"), {{QStringLiteral("url"), address}, {field, value}});
}
}

QString ServiceAccessKey() { return QStringLiteral(VARNELO_SERVICE_ACCESS_KEY); }

QString ServiceKeyBody() { return QStringLiteral("key=") + ServiceAccessKey(); }

std::chrono::milliseconds ServiceRequestTimeout() { return g_timeout; }

void SetServiceRequestTimeout(std::chrono::milliseconds timeout) { g_timeout = timeout; }

std::optional<QString> PostServiceRequest(const QString& address, const QString& body, QString* error)
{
    if (Trace::enabled())
        Trace::event(QStringLiteral("request"), {{QStringLiteral("url"), address}, {QStringLiteral("body"), body}});
    auto fail = [&](const QString& why) -> std::optional<QString> {
        TraceResponse(address, QStringLiteral("error"), why);
        if (error)
            *error = why;
        return std::nullopt;
    };

    const QUrl url(address);
    if (!url.isValid() || url.isRelative())
        return fail(QStringLiteral("invalid address"));

    QNetworkRequest request(url);
    // The form type first, then the Big5 text type over it: the second setting
    // replaces the first, and the service reads the body as a form either way.
    request.setRawHeader("Content-Type", "application/x-www-form-urlencoded");
    request.setRawHeader("Content-Type", "text/xml; charset=big5");
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
    request.setAttribute(QNetworkRequest::CacheSaveControlAttribute, false);

    QNetworkReply* reply = OnlineNetwork().post(request, body.toUtf8());
    QEventLoop loop;
    QTimer deadline;
    deadline.setSingleShot(true);
    bool timedOut = false;
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    QObject::connect(&deadline, &QTimer::timeout, reply, [&] {
        timedOut = true;
        reply->abort();
    });
    deadline.start(g_timeout);
    if (!reply->isFinished())
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    deadline.stop();

    const QNetworkReply::NetworkError status = reply->error();
    const bool answered = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).isValid();
    const QByteArray bytes = reply->readAll();
    const QString reason = reply->errorString();
    reply->deleteLater();

    if (timedOut)
        return fail(QStringLiteral("no answer within %1 ms").arg(g_timeout.count()));
    // An HTTP error status still carries an answer body, which counts like any
    // other. No HTTP answer at all, or one cut off on the way, is a failure.
    const bool broken = status != QNetworkReply::NoError
        && (status < QNetworkReply::ContentAccessDenied || status == QNetworkReply::ProtocolUnknownError
            || status == QNetworkReply::ProtocolFailure);
    if (!answered || broken)
        return fail(reason);

    std::optional<QString> text = ResponseBytesToText(bytes);
    if (!text)
        return fail(QStringLiteral("answer ends in half a Big5 character"));
    TraceResponse(address, QStringLiteral("text"), *text);
    return text;
}

bool IsServerOnline()
{
    const std::optional<QString> answer = PostServiceRequest(App().ServiceSiteUrl + QStringLiteral("p_getconn.asp"), ServiceKeyBody());
    return answer && answer->left(6) == QLatin1String("ONLINE");
}
