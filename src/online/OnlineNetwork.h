#pragma once
#include <QString>

class QNetworkAccessManager;
class QNetworkDiskCache;

// The one network access manager of the program's web requests and downloads.
// It lives as long as the application object and keeps connections to the
// service open between requests. Downloads go through its disk cache.
QNetworkAccessManager& OnlineNetwork();
QNetworkDiskCache& DownloadCache();

// Where the download cache keeps its files: the user's cache folder unless a
// test has pointed it elsewhere. Changing it takes effect at once.
QString DownloadCacheFolder();
void SetDownloadCacheFolder(const QString& folder);
