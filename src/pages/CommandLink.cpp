#include "CommandLink.h"

#include <QUrl>

namespace {
const QString kPrefix = QStringLiteral("cmd:");
}

bool IsCommandUrl(const QString& url)
{
    return url.left(4) == kPrefix;
}

QString CommandFromUrl(const QString& url)
{
    QString command = url;
    command.remove(kPrefix);
    return command;
}

QString DecodeNavigationUrl(const QString& fullyEncodedUrl)
{
    // Separators the engine leaves as they are; a "%23" or "%3A" in a piece is
    // a character the page wrote and the engine escaped, and decodes back to it.
    QString out;
    QString piece;
    auto flush = [&] {
        out += QUrl::fromPercentEncoding(piece.toUtf8());
        piece.clear();
    };
    for (const QChar c : fullyEncodedUrl) {
        if (c == u'#' || c == u':') {
            flush();
            out += c;
        } else {
            piece += c;
        }
    }
    flush();
    return out;
}

QString CommandFromEncodedUrl(const QString& fullyEncodedUrl)
{
    return CommandFromUrl(DecodeNavigationUrl(fullyEncodedUrl));
}
