#include "Database.h"

#include "RecordSet.h"
#include "SqlTexts.h"
#include "app/AppValues.h"
#include "app/OpenUrlInBrowser.h"
#include "app/SystemBox.h"

#include <QOperatingSystemVersion>
#include <QSysInfo>

QString GetOSVersion()
{
#ifdef Q_OS_WIN
    // Platform id 2 is the NT family.
    const auto v = QOperatingSystemVersion::current();
    return QStringLiteral("2.%1.%2").arg(v.majorVersion()).arg(v.minorVersion());
#else
    // Not Windows: platform id 0 and the kernel's major.minor, so the text
    // never reads as Windows 7.
    const QStringList parts = QSysInfo::kernelVersion().split(QLatin1Char('.'));
    const QString major = parts.value(0, QStringLiteral("0"));
    QString minor = parts.value(1, QStringLiteral("0"));
    qsizetype digits = 0;
    while (digits < minor.size() && minor.at(digits).isDigit())
        ++digits;
    minor.truncate(digits);
    return QStringLiteral("0.%1.%2").arg(major, minor.isEmpty() ? QStringLiteral("0") : minor);
#endif
}

QString ConnectionStringFor(const QString& osVersion, const QString& dataFolder)
{
    const QString file = dataFolder + PathSep() + QStringLiteral("vrnbase.mdb;");
    if (osVersion == QLatin1String("2.6.1"))
        return QStringLiteral("Driver={Microsoft Access Driver (*.mdb, *.accdb)};DBQ=") + file;
    return QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=") + file;
}

void BuildConnectionString()
{
    MutableApp().ConnectionString = ConnectionStringFor(GetOSVersion(), DataFolder());
}

QString DatabasePathFromConnectionString(const QString& connectionString)
{
    for (const QLatin1String key : {QLatin1String("Data Source="), QLatin1String("DBQ=")}) {
        const qsizetype at = connectionString.indexOf(key, 0, Qt::CaseInsensitive);
        if (at < 0)
            continue;
        const qsizetype start = at + key.size();
        const qsizetype end = connectionString.indexOf(QLatin1Char(';'), start);
        return connectionString.mid(start, end < 0 ? -1 : end - start);
    }
    return QString();
}

bool CheckDatabaseEngine()
{
    if (GetOSVersion() != QLatin1String("2.6.1"))
        return true;
    RecordSet probe(Sql::EngineCheck());
    if (probe.IsOpen())
        return true;
    const QString cr2 = QStringLiteral("\r\r");
    ShowSystemBox(QStringLiteral("安裝提示"),
                  QStringLiteral("您的作業系統是 Windows 7，且並未安裝有 AccessDatabaseEngine.exe ") + cr2
                      + QStringLiteral("這個套件是用作支援謮寫資料庫，是本軟體所需。") + cr2
                      + QStringLiteral("請按下 [確定] 後，將帶您前往下載該檔案") + cr2
                      + QStringLiteral("出現下載的詢問視窗時，請直接按 [執行]，並依照畫面指示進行安裝"),
                  SystemBoxIcon::Warning);
    OpenUrlInBrowser(App().ServiceSiteUrl + QStringLiteral("p_download_ace.asp"));
    return false;
}
