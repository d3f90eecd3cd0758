#include "GlyphNames.h"

QString GlyphName(QChar c)
{
    const char16_t u = c.unicode();
    switch (u) {
    case u'(':
        return QStringLiteral("left");
    case u')':
        return QStringLiteral("right");
    case u'5':
        return QStringLiteral("first");
    case u'7':
    case u'9':
        return QStringLiteral("second");
    case u':':
        return QStringLiteral("long");
    default:
        break;
    }
    // Prefixes keep capital and small letters apart on case-blind file systems.
    if (u >= u'A' && u <= u'Z')
        return QStringLiteral("b_") + c;
    if (u >= u'a' && u <= u'z')
        return QStringLiteral("s_") + c;
    return QString(c);
}
