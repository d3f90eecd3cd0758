#include "OpenUrlInBrowser.h"

#include "SystemBox.h"
#include "Trace.h"

#include <QDesktopServices>
#include <QProcess>
#include <QUrl>

void OpenUrlInBrowser(const QString& url)
{
    if (Trace::enabled())
        Trace::event(QStringLiteral("browser"), {{QStringLiteral("url"), url}});
    // Tests must not start a real browser; the trace line above is what they check.
    if (qEnvironmentVariableIsSet("VARNELO_NO_BROWSER"))
        return;
    if (QDesktopServices::openUrl(QUrl(url)))
        return;
#ifdef Q_OS_WIN
    const QString opener = QStringLiteral("explorer");
#else
    const QString opener = QStringLiteral("xdg-open");
#endif
    if (QProcess::startDetached(opener, {url}))
        return;
    ShowSystemBox(QStringLiteral("發生無法預期錯誤"), QStringLiteral("無法正常啟動瀏覽器!"), SystemBoxIcon::Error);
}
