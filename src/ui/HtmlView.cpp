#include "HtmlView.h"

#include "HtmlSchemes.h"

#include "app/Trace.h"
#include "pages/CommandLink.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QHash>
#include <QPointer>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>
#include <QWebEngineSettings>
#include <QWebEngineUrlRequestJob>
#include <QWebEngineUrlSchemeHandler>

namespace {
const QByteArray kCmdScheme = QByteArrayLiteral("cmd");
const QByteArray kPageScheme = QByteArrayLiteral("page");

// The page written last into each view, by "window/view", served to the
// view from the page scheme. Only the newest page of a view is kept; a
// reload of it is served again.
struct WrittenPage {
    QUrl url;
    QByteArray body;
};
QHash<QString, WrittenPage>& writtenPages()
{
    static QHash<QString, WrittenPage> pages;
    return pages;
}

// Hosts of URLs are case-blind, so the window part of the key is lower case.
QString pageKey(const QString& window, const QString& view) { return window.toLower() + QLatin1Char('/') + view; }

// Serves written pages. The body is UTF-8 behind a byte-order mark: the
// pages declare Big5 in their meta tag, and the mark is what a browser
// honours above any declaration, so every character of the string arrives.
class PageSchemeHandler : public QWebEngineUrlSchemeHandler {
public:
    using QWebEngineUrlSchemeHandler::QWebEngineUrlSchemeHandler;
    void requestStarted(QWebEngineUrlRequestJob* job) override
    {
        const QUrl url = job->requestUrl();
        const QStringList parts = url.path().split(QLatin1Char('/'), Qt::SkipEmptyParts);
        const auto it = parts.isEmpty() ? writtenPages().constEnd()
                                        : writtenPages().constFind(pageKey(url.host(), parts.first()));
        if (it == writtenPages().constEnd()) {
            job->fail(QWebEngineUrlRequestJob::UrlNotFound);
            return;
        }
        auto* buffer = new QBuffer(job);
        buffer->setData(it->body);
        buffer->open(QIODevice::ReadOnly);
        job->reply(QByteArrayLiteral("text/html"), buffer);
    }
};

// Command links never load anything: the page object cancels them before a
// request is made. The handler exists because the engine only asks about
// navigations to schemes it can handle.
class CommandSchemeHandler : public QWebEngineUrlSchemeHandler {
public:
    using QWebEngineUrlSchemeHandler::QWebEngineUrlSchemeHandler;
    void requestStarted(QWebEngineUrlRequestJob* job) override { job->fail(QWebEngineUrlRequestJob::RequestDenied); }
};

// The engine lower-cases a URL's scheme before anyone sees it, so a link to
// "CMD:x" would arrive as the command "x". Only an exact "cmd:" is a
// command: once a page is parsed, this marks every other spelling in its
// links and event attributes (the two places pages put command links), and
// a marked navigation is let through like any address that is not a command.
const QString kNotACommand = QStringLiteral("cmd:varnelo-not-a-command/");
const char kMarkOtherSpellings[] = R"JS(
(function () {
  var re = /(^|['"])(cmd:)/gi;
  function mark(value) {
    return value.replace(re, function (all, before, prefix) {
      return prefix === 'cmd:' ? all : before + 'cmd:varnelo-not-a-command/' + prefix;
    });
  }
  var elements = document.getElementsByTagName('*');
  for (var i = 0; i < elements.length; ++i) {
    var attributes = elements[i].attributes;
    for (var j = 0; j < attributes.length; ++j) {
      var a = attributes[j];
      var name = a.name.toLowerCase();
      if (name !== 'href' && name.indexOf('on') !== 0)
        continue;
      var marked = mark(a.value);
      if (marked !== a.value)
        a.value = marked;
    }
  }
})();
)JS";

QWebEngineProfile* sharedProfile()
{
    static QPointer<QWebEngineProfile> profile;
    if (!profile) {
        // Off the record: nothing of the pages is kept on disk.
        profile = new QWebEngineProfile(QCoreApplication::instance());
        profile->installUrlSchemeHandler(kPageScheme, new PageSchemeHandler(profile));
        profile->installUrlSchemeHandler(kCmdScheme, new CommandSchemeHandler(profile));
        QWebEngineScript marker;
        marker.setName(QStringLiteral("varnelo-command-spelling"));
        marker.setInjectionPoint(QWebEngineScript::DocumentReady);
        marker.setWorldId(QWebEngineScript::ApplicationWorld);
        marker.setRunsOnSubFrames(true);
        marker.setSourceCode(QString::fromLatin1(kMarkOtherSpellings));
        profile->scripts()->insert(marker);
    }
    return profile;
}
}

class HtmlPage : public QWebEnginePage {
public:
    HtmlPage(HtmlView* view)
        : QWebEnginePage(sharedProfile(), view), m_view(view)
    {
        QWebEngineSettings* s = settings();
        s->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, true);
        s->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, true);
        s->setAttribute(QWebEngineSettings::JavascriptCanOpenWindows, false);
        s->setAttribute(QWebEngineSettings::FocusOnNavigationEnabled, false);
    }

protected:
    bool acceptNavigationRequest(const QUrl& url, NavigationType, bool) override
    {
        const QString encoded = url.toString(QUrl::FullyEncoded);
        if (!IsCommandUrl(encoded) || encoded.startsWith(kNotACommand))
            return true;
        m_view->deliverCommand(CommandFromEncodedUrl(encoded));
        return false;
    }

private:
    HtmlView* m_view;
};

void HtmlView::RegisterSchemes() { RegisterHtmlSchemes(); }

HtmlView::HtmlView(const QString& windowName, const QString& viewName, QWidget* parent)
    : QWebEngineView(parent), m_windowName(windowName), m_viewName(viewName)
{
    setObjectName(viewName);
    setContextMenuPolicy(Qt::NoContextMenu);
    m_page = new HtmlPage(this);
    setPage(m_page);
    connect(this, &QWebEngineView::loadFinished, this, &HtmlView::onLoadFinished);
}

HtmlView::~HtmlView()
{
    writtenPages().remove(pageKey(m_windowName, m_viewName));
}

void HtmlView::WritePage(const QString& html)
{
    setVisible(false);
    Trace::page(m_windowName, m_viewName, html);

    static quint64 serial = 0;
    QUrl url;
    url.setScheme(QString::fromLatin1(kPageScheme));
    url.setHost(m_windowName.toLower());
    url.setPath(QLatin1Char('/') + m_viewName + QLatin1Char('/') + QString::number(++serial));

    WrittenPage& stored = writtenPages()[pageKey(m_windowName, m_viewName)];
    stored.url = url;
    stored.body = QByteArrayLiteral("\xEF\xBB\xBF") + html.toUtf8();

    m_pendingUrl = url;
    m_waitingForPage = true;
    load(url);
}

void HtmlView::Navigate(const QUrl& url)
{
    load(url);
}

void HtmlView::RunScript(const QString& js)
{
    page()->runJavaScript(js);
}

void HtmlView::RunScript(const QString& js, const std::function<void(const QVariant&)>& resultCallback)
{
    page()->runJavaScript(js, resultCallback);
}

void HtmlView::deliverCommand(const QString& command)
{
    // Out of the engine's callback first: the window's handler may open a
    // modal message or wait for a sound.
    QMetaObject::invokeMethod(
        this, [this, command] { emit commandReceived(command); }, Qt::QueuedConnection);
}

void HtmlView::onLoadFinished(bool ok)
{
    // A cancelled command link also reports a failed load; only the end of
    // the written page's own load counts.
    if (!m_waitingForPage || !ok || url() != m_pendingUrl)
        return;
    m_waitingForPage = false;
    setVisible(true);
    emit pageLoaded();
}
