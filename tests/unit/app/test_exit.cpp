#include "app/ExitProgram.h"
#include "app/Forms.h"
#include "app/Trace.h"

#include <QCoreApplication>
#include <QFile>
#include <QJsonObject>
#include <QPointer>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>
#include "support/TestSupport.h"

#include <gtest/gtest.h>

namespace {
QWidget* Form(const char* name)
{
    auto* w = new QWidget;
    w->setObjectName(name);
    RegisterForm(w);
    return w;
}

QStringList Unloaded(const QString& tracePath)
{
    EXPECT_TRUE(QFile::exists(tracePath));
    QStringList names;
    for (const QJsonObject& e : TraceEvents(tracePath, "window"))
        if (e["state"] == "unloaded")
            names << e["name"].toString();
    return names;
}
}

TEST(ExitProgramProc, UnloadsEveryWindowLastLoadedFirstAndEndsTheLoop)
{
    QTemporaryDir dir;
    const QString trace = dir.filePath("trace.jsonl");
    Trace::openForTest(trace);

    QPointer<QWidget> startup = Form("frmStartUp");
    QPointer<QWidget> main = Form("frmMain");
    QPointer<QWidget> player = Form("frmMediaPlayer");
    QPointer<QWidget> gone = Form("frmMessage");
    UnloadForm(gone);  // an unloaded window is not unloaded again

    int rc = -1;
    QTimer::singleShot(0, [] { ExitProgramProc(); });
    rc = QCoreApplication::exec();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    EXPECT_EQ(rc, 0);
    EXPECT_EQ(Unloaded(trace), QStringList({"frmMessage", "frmMediaPlayer", "frmMain", "frmStartUp"}));
    EXPECT_TRUE(LoadedForms().isEmpty());
    EXPECT_TRUE(startup.isNull() && main.isNull() && player.isNull());

    // It never runs twice: the main window's fade-out ends only once.
    Form("late");
    ExitProgramProc();
    EXPECT_EQ(LoadedForms().size(), 1);
    Trace::openForTest(QString());
}
