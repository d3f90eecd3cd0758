#include "ValueQuoting.h"

namespace ValueQuoting {

QString JsString(const QString& value)
{
    QString out;
    out.reserve(value.size());
    for (qsizetype i = 0; i < value.size(); ++i) {
        const QChar c = value.at(i);
        switch (c.unicode()) {
        case u'\\':
            out += QStringLiteral("\\\\");
            break;
        case u'\'':
            out += QStringLiteral("\\'");
            break;
        case u'\r':
            out += QStringLiteral("\\r");
            break;
        case u'\n':
            out += QStringLiteral("\\n");
            break;
        case u'/':
            // "</script>" inside a string would end the script block.
            out += (i > 0 && value.at(i - 1) == QLatin1Char('<')) ? QStringLiteral("\\/") : QStringLiteral("/");
            break;
        default:
            out += c;
        }
    }
    return out;
}

QString Attribute(const QString& value)
{
    QString out = value;
    out.replace(QLatin1Char('&'), QStringLiteral("&amp;"));
    out.replace(QLatin1Char('\''), QStringLiteral("&#39;"));
    return out;
}

QString JsInAttribute(const QString& value)
{
    QString out = JsString(value);
    out.replace(QLatin1Char('&'), QStringLiteral("&amp;"));
    out.replace(QLatin1Char('"'), QStringLiteral("&quot;"));
    return out;
}

}
