#include "PrepareContentData.h"

#include "app/AppValues.h"
#include "app/Trace.h"
#include "data/FileHelpers.h"
#include "data/PackageSignature.h"
#include "ui/frmMessage.h"

#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QJsonArray>
#include <QProcess>

namespace {
void SetError(QString* error, const QString& text)
{
    if (error)
        *error = text;
}

// Runs program hidden and waits in the event loop until it has ended or
// could not be started.
void RunHiddenAndWait(const QString& program, const QStringList& args)
{
    Trace::event(QStringLiteral("process"),
                 {{QStringLiteral("program"), program}, {QStringLiteral("args"), QJsonArray::fromStringList(args)}});
    QProcess process;
    process.setProgram(program);
    process.setArguments(args);
    process.setProcessChannelMode(QProcess::ForwardedChannels);
#ifdef Q_OS_WIN
    process.setCreateProcessArgumentsModifier(
        [](QProcess::CreateProcessArguments* a) { a->flags |= 0x08000000; /* CREATE_NO_WINDOW */ });
#endif
    QEventLoop wait;
    QObject::connect(&process, &QProcess::finished, &wait, &QEventLoop::quit);
    QObject::connect(&process, &QProcess::errorOccurred, &wait, [&wait](QProcess::ProcessError e) {
        if (e == QProcess::FailedToStart)
            wait.quit();
    });
    process.start();
    if (process.state() != QProcess::NotRunning)
        wait.exec();
}
}

QString InstalledPackagePath()
{
    return AppFolder() + PathSep() + QStringLiteral("giz") + PathSep() + QStringLiteral("vrndata.giz");
}

bool UnpackContentPackage(const QString& package, const QString& runCopy, const QString& destination, QString* error)
{
    if (!CheckFileExists(package)) {
        SetError(error, QStringLiteral("package missing: ") + package);
        return false;
    }
    QString why;
    if (!VerifyPackageSignature(package, &why)) {
        SetError(error, QStringLiteral("package signature rejected: ") + why);
        return false;
    }
    QFile::remove(runCopy);
    if (!QFile::copy(package, runCopy)) {
        SetError(error, QStringLiteral("cannot copy the package to ") + runCopy);
        return false;
    }
    QFile::setPermissions(runCopy, QFile::permissions(runCopy) | QFile::ExeOwner | QFile::ReadOwner | QFile::WriteOwner);
    RunHiddenAndWait(runCopy, {QStringLiteral("-d") + destination + PathSep()});
    return true;
}

void PrepareContentData()
{
    frmMessage::ProgressMsgBox(QStringLiteral("3001"), 0, QString(), QStringLiteral("0"));
    const QString folder = DataFolder();
    if (!CheckFolderExists(folder))
        QDir().mkpath(folder);
    if (!CheckFileExists(folder + PathSep() + QStringLiteral("vrnbase.mdb"))) {
        // A package that is missing or not ours is not run; the content check
        // that follows then finds no content version and offers the download.
        UnpackContentPackage(InstalledPackagePath(), App().TempFolder + PathSep() + QStringLiteral("vrndata.exe"), folder);
    }
    frmMessage::UnloadMessage();
}
