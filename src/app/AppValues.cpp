#include "AppValues.h"

#include "BuildConfig.h"
#include "data/Database.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QRandomGenerator>
#include <cmath>

QString MessageAnswer;
QString MessageSubject;
bool DownloadDone = false;

namespace {
AppValues g_app;
}

const AppValues& App() { return g_app; }
AppValues& MutableApp() { return g_app; }

QString PathSep()
{
#ifdef Q_OS_WIN
    return QStringLiteral("\\");
#else
    return QStringLiteral("/");
#endif
}

static QString TempFolderFromEnvironment()
{
    // TMP exactly as set. Unset on a POSIX system, the filesystem root (which a
    // user cannot write) would hold the data folder, so use the system's own
    // temporary folder instead.
    const QByteArray tmp = qgetenv("TMP");
    if (!tmp.isNull())
        return QString::fromLocal8Bit(tmp);
#ifdef Q_OS_WIN
    return QString();
#else
    return QDir::tempPath();
#endif
}

void InitGlobalValues()
{
    AppValues& a = g_app;
    a.ProductCode = QStringLiteral("vrn");
    a.ProductFolderName = QStringLiteral("Varnelo");
    a.PageFontSize = QStringLiteral("15px");
    a.ServiceSiteUrl = QStringLiteral(VARNELO_SERVICE_SITE_URL);
    a.WebSiteUrl = QStringLiteral(VARNELO_WEB_SITE_URL);
    a.UpdateHost = QStringLiteral(VARNELO_UPDATE_HOST);
    a.TempFolder = TempFolderFromEnvironment();
    BuildConnectionString();
    a.FullAlpha = 255;
    a.SettingsFilePath = a.TempFolder + PathSep() + a.ProductFolderName + PathSep() + QStringLiteral("setup.set");
}

QString DataFolder()
{
    return g_app.TempFolder + PathSep() + g_app.ProductFolderName;
}

QString DataFolderUrl()
{
    QString folder = g_app.TempFolder;
    folder.replace(QLatin1Char('\\'), QLatin1Char('/'));
    // A POSIX temporary folder already begins with "/", so "file://" + folder
    // gives the three slashes of a local file URL; a drive letter needs the third.
    const QString prefix = folder.startsWith(QLatin1Char('/')) ? QStringLiteral("file://") : QStringLiteral("file:///");
    return prefix + folder + QLatin1Char('/') + g_app.ProductFolderName;
}

QString AppFolder()
{
    return QCoreApplication::applicationDirPath();
}

QString UniqueStampFrom(qint64 secondsSinceReference, double u)
{
    // r = u * 99998 rounded half to even, then the last five digits of 100001 + r.
    const double scaled = u * 99998.0;
    const qint64 r = static_cast<qint64>(std::nearbyint(scaled));  // default rounding mode: ties to even
    const QString tail = QString::number(100001 + r).right(5);
    return QString::number(secondsSinceReference) + tail;
}

QString NewUniqueStamp()
{
    const QDateTime reference(QDate(2006, 1, 1), QTime(0, 0, 0), Qt::LocalTime);
    const qint64 seconds = reference.secsTo(QDateTime::currentDateTime());
    // A fresh generator per call: two stamps in the same second still differ
    // in their random part most of the time, and the caller checks the name.
    const double u = QRandomGenerator::global()->generateDouble();
    return UniqueStampFrom(seconds, u);
}
