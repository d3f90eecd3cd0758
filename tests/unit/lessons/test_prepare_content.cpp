// First-run preparation of the data folder, with stand-in packages: small
// scripts that "unpack" by writing the content database where they are told,
// signed with the demo key the development build trusts.
#include "support/TestSupport.h"
#include "app/AppValues.h"
#include "app/Trace.h"
#include "data/PackageSignature.h"
#include "online/PrepareContentData.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonObject>
#include <gtest/gtest.h>
#include <sodium.h>

namespace {
const char* const kUnpacker = "#!/bin/sh\n"
                              "# A stand-in content package: -d<folder>/ names where to unpack.\n"
                              "dest=\"${1#-d}\"\n"
                              "echo content > \"${dest}vrnbase.mdb\"\n";

QByteArray DemoSecretKey()
{
    QFile f(QStringLiteral(VARNELO_SOURCE_DIR "/content/keys/demo-secret.key"));
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QByteArray::fromHex(f.readAll().trimmed());
}

bool WritePackage(const QString& path, const QByteArray& body, const QByteArray& secretKey)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(body) != body.size())
        return false;
    f.close();
    f.setPermissions(f.permissions() | QFile::ExeOwner);
    unsigned char sig[crypto_sign_BYTES];
    crypto_sign_detached(sig, nullptr, reinterpret_cast<const unsigned char*>(body.constData()), quint64(body.size()),
                         reinterpret_cast<const unsigned char*>(secretKey.constData()));
    QFile s(path + ".sig");
    return s.open(QIODevice::WriteOnly) && s.write(reinterpret_cast<const char*>(sig), crypto_sign_BYTES) == crypto_sign_BYTES;
}

QList<QJsonObject> ProcessEvents(const QString& tracePath)
{
    return TraceEvents(tracePath, "process");
}

class UnpackPackage : public ::testing::Test {
protected:
    FixtureDataFolder data;
    QString tracePath = data.tempFolder() + "/trace.jsonl";
    QString package = data.tempFolder() + "/pkg/vrndata.giz";
    QString runCopy = data.tempFolder() + "/vrndata.exe";
    QString database = data.dataFolder() + "/vrnbase.mdb";
    QByteArray secretKey = DemoSecretKey();

    void SetUp() override
    {
        if (sodium_init() < 0 || secretKey.size() != crypto_sign_SECRETKEYBYTES
            || secretKey.right(crypto_sign_PUBLICKEYBYTES) != BuiltInPackagePublicKey())
            GTEST_SKIP() << "this build does not trust the demo key";
        QDir().mkpath(data.tempFolder() + "/pkg");
        Trace::openForTest(tracePath);
    }
    void TearDown() override { Trace::openForTest(QString()); }
};
}

TEST_F(UnpackPackage, ASignedPackageRunsHiddenIntoTheDataFolder)
{
    ASSERT_TRUE(WritePackage(package, kUnpacker, secretKey));
    QString error;
    EXPECT_TRUE(UnpackContentPackage(package, runCopy, data.dataFolder(), &error)) << error.toStdString();
    EXPECT_TRUE(QFile::exists(database));
    EXPECT_TRUE(QFile::exists(runCopy)) << "the run copy is left in place";

    const QList<QJsonObject> started = ProcessEvents(tracePath);
    ASSERT_EQ(started.size(), 1);
    EXPECT_EQ(started[0]["program"].toString(), runCopy);
    EXPECT_EQ(started[0]["args"].toArray(), QJsonArray{QString("-d" + data.dataFolder() + PathSep())});
}

TEST_F(UnpackPackage, AnUnsignedOrAlteredPackageIsNotRun)
{
    struct Case {
        const char* what;
        std::function<void()> make;
    };
    const Case cases[] = {
        {"no signature", [&] {
             ASSERT_TRUE(WritePackage(package, kUnpacker, secretKey));
             QFile::remove(package + ".sig");
         }},
        {"altered after signing", [&] {
             ASSERT_TRUE(WritePackage(package, kUnpacker, secretKey));
             QFile f(package);
             ASSERT_TRUE(f.open(QIODevice::Append));
             f.write("echo tampered\n");
         }},
        {"signed by another key", [&] {
             unsigned char pk[crypto_sign_PUBLICKEYBYTES], sk[crypto_sign_SECRETKEYBYTES];
             crypto_sign_keypair(pk, sk);
             ASSERT_TRUE(WritePackage(package, kUnpacker, QByteArray(reinterpret_cast<char*>(sk), sizeof sk)));
         }},
        {"missing", [&] { QFile::remove(package); }},
    };
    for (const Case& c : cases) {
        c.make();
        QString error;
        EXPECT_FALSE(UnpackContentPackage(package, runCopy, data.dataFolder(), &error)) << c.what;
        EXPECT_FALSE(error.isEmpty()) << c.what;
        EXPECT_FALSE(QFile::exists(database)) << c.what;
        EXPECT_TRUE(ProcessEvents(tracePath).isEmpty()) << c.what;
    }
}

TEST_F(UnpackPackage, PrepareContentDataCreatesTheFolderAndLeavesAnExistingDatabase)
{
    // No installed package beside the test program: the folder is still made.
    ASSERT_FALSE(QFile::exists(InstalledPackagePath()));
    QDir(data.dataFolder()).removeRecursively();
    PrepareContentData();
    EXPECT_TRUE(QFileInfo(data.dataFolder()).isDir());
    EXPECT_TRUE(ProcessEvents(tracePath).isEmpty());

    // An existing database is kept as it is, and nothing is run.
    QFile db(database);
    ASSERT_TRUE(db.open(QIODevice::WriteOnly));
    db.write("old");
    db.close();
    PrepareContentData();
    EXPECT_TRUE(ProcessEvents(tracePath).isEmpty());
    QFile kept(database);
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), "old");
}
