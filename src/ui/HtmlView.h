#pragma once
#include <QString>
#include <QUrl>
#include <QWebEngineView>

class HtmlPage;

// The embedded HTML view of every window. Generated pages are written into
// it as one string; links to "cmd:" come back to the owning window as the
// commandReceived signal, which the window connects to its
// <view>_BeforeNavigate2(const QString& command) slot.
class HtmlView : public QWebEngineView {
    Q_OBJECT
public:
    // windowName and viewName name the view in the trace and in the address
    // of its written pages (page://frmMain/webListMain/17).
    HtmlView(const QString& windowName, const QString& viewName, QWidget* parent);
    ~HtmlView() override;

    // Registers the "cmd" scheme and the scheme written pages are served
    // from. Must run before the QApplication is created.
    static void RegisterSchemes();

    // Puts a page into the view: the view is hidden, the page is traced and
    // loaded, and the view is shown again (and pageLoaded emitted) once the
    // new page has finished loading, so a half-built page is never seen.
    // Pages of any size load (they are served, not pushed into the document).
    void WritePage(const QString& html);

    // Plain navigation (about:blank, a web page).
    void Navigate(const QUrl& url);

    // Runs a script in the current page; the result, if wanted, goes to the callback.
    void RunScript(const QString& js);
    void RunScript(const QString& js, const std::function<void(const QVariant&)>& resultCallback);

    QString windowName() const { return m_windowName; }
    QString viewName() const { return m_viewName; }

    // The address of the page written last, empty before the first one.
    QUrl writtenPageUrl() const { return m_pendingUrl; }

signals:
    // A "cmd:" navigation of the page, already cancelled; the command is the
    // text after "cmd:" exactly as the page wrote it. Always delivered queued,
    // never from inside the browser engine's callback, so the handler may open
    // a modal message or wait.
    void commandReceived(const QString& command);
    // A written page has finished loading and the view is shown.
    void pageLoaded();

private:
    void onLoadFinished(bool ok);
    friend class HtmlPage;
    void deliverCommand(const QString& command);

    QString m_windowName;
    QString m_viewName;
    HtmlPage* m_page = nullptr;
    QUrl m_pendingUrl;
    bool m_waitingForPage = false;
};
