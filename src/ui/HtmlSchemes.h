#pragma once
#include <QWebEngineUrlScheme>

// The two URL schemes of the HTML views, registered before the application
// object exists (the engine reads the list once):
//  - "cmd": command links. The engine only asks the page about navigations
//    to schemes it knows, so the scheme is registered although nothing is
//    ever loaded from it.
//  - "page": written pages, served from memory (page://window/view/n).
//    Local, so pages may show the data folder's file:// glyphs and icons.
// Header-only so the test main can register them without the widgets.
inline void RegisterHtmlSchemes()
{
    static bool done = false;
    if (done)
        return;
    done = true;

    QWebEngineUrlScheme cmd(QByteArrayLiteral("cmd"));
    cmd.setSyntax(QWebEngineUrlScheme::Syntax::Path);
    cmd.setFlags(QWebEngineUrlScheme::LocalScheme | QWebEngineUrlScheme::LocalAccessAllowed);
    QWebEngineUrlScheme::registerScheme(cmd);

    QWebEngineUrlScheme page(QByteArrayLiteral("page"));
    page.setSyntax(QWebEngineUrlScheme::Syntax::Host);
    page.setFlags(QWebEngineUrlScheme::LocalScheme | QWebEngineUrlScheme::LocalAccessAllowed);
    QWebEngineUrlScheme::registerScheme(page);
}
