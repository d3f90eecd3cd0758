#include "OnlineNetwork.h"

#include <QCoreApplication>
#include <QNetworkAccessManager>
#include <QNetworkDiskCache>
#include <QPointer>
#include <QStandardPaths>

namespace {
QPointer<QNetworkAccessManager> g_network;
QPointer<QNetworkDiskCache> g_cache;
QString g_cacheFolder;

QString DefaultCacheFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::CacheLocation) + QStringLiteral("/downloads");
}
}

QNetworkAccessManager& OnlineNetwork()
{
    if (!g_network) {
        g_network = new QNetworkAccessManager(QCoreApplication::instance());
        // The manager owns the cache and deletes it with itself.
        g_cache = new QNetworkDiskCache(g_network);
        g_cache->setCacheDirectory(DownloadCacheFolder());
        g_network->setCache(g_cache);
    }
    return *g_network;
}

QNetworkDiskCache& DownloadCache()
{
    OnlineNetwork();
    return *g_cache;
}

QString DownloadCacheFolder()
{
    return g_cacheFolder.isEmpty() ? DefaultCacheFolder() : g_cacheFolder;
}

void SetDownloadCacheFolder(const QString& folder)
{
    g_cacheFolder = folder;
    if (g_cache)
        g_cache->setCacheDirectory(DownloadCacheFolder());
}
