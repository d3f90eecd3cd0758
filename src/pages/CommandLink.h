#pragma once
#include <QString>

// A page asks its window to act by navigating to "cmd:" + command, from a
// script (location.href='cmd:...') or an anchor (<a href='cmd:...'>).

// True when the first four characters are exactly "cmd:" (case-sensitive).
bool IsCommandUrl(const QString& url);

// The command: the URL with every "cmd:" removed.
QString CommandFromUrl(const QString& url);

// The command as written in the page, from the URL the browser engine
// reports. The engine percent-encodes spaces, non-ASCII text and some
// punctuation, so the encoded URL is split on the commands' own separators
// ("#" and ":"), each piece is decoded on its own and the pieces are joined
// again with their separators; every "cmd:" is removed as CommandFromUrl does.
// fullyEncodedUrl is QUrl::toString(QUrl::FullyEncoded) of the navigation.
QString CommandFromEncodedUrl(const QString& fullyEncodedUrl);

// The encoded URL decoded piecewise as above, without removing anything.
QString DecodeNavigationUrl(const QString& fullyEncodedUrl);
