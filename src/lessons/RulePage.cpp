#include "RulePage.h"

#include "RulePageCodec.h"
#include "app/AppValues.h"
#include "data/FileHelpers.h"
#include "pages/PageFrame.h"
#include "pages/PhoneticHtml.h"

namespace {
constexpr qint16 kRuleGlyphHeight = 27;
}

QString RulePagePath(const QString& pageName)
{
    return DataFolder() + PathSep() + QStringLiteral("xtm") + PathSep() + pageName + QStringLiteral(".xtm");
}

QString RuleStylesheetPath()
{
    const QString sep = PathSep();
    return DataFolder() + sep + QStringLiteral("xtm") + sep + QStringLiteral("css") + sep + QStringLiteral("rulestyle.css");
}

QString RulePageFromText(const QString& fileText, const QString& stylesheet)
{
    const QString nl = Crlf();
    QString page = DecodeRulePage(fileText);
    page.replace(QStringLiteral("?<!DOCTYPE"), QStringLiteral("<html><!DOCTYPE"));
    // The stylesheet goes in after the glyph replacement, which must not touch it.
    page = ReplacePhoneticInHtml(GlyphBase(), page, kRuleGlyphHeight);
    page.replace(QStringLiteral("</head>"), QStringLiteral("</head>") + nl + QStringLiteral("<style>") + nl + stylesheet + QStringLiteral("</style>"));
    page.replace(QStringLiteral("<body>"),
                 QStringLiteral("<body scroll='auto' topmargin='0' leftmargin='0' rightmargin='0' bottommargin='0'>"));
    return page;
}

QString BuildRulePage(const QString& pageName)
{
    const QString stylesheetPath = RuleStylesheetPath();
    const QString stylesheet = CheckFileExists(stylesheetPath) ? ReadBig5TextFile(stylesheetPath) : QString();
    const QString path = RulePagePath(pageName);
    // An empty sub list gives an empty name, which names no file either.
    if (pageName.isEmpty() || !CheckFileExists(path))
        return QString();
    return RulePageFromText(ReadTextFile(path, "big5"), stylesheet);
}
