#include "ContentTestSupport.h"
#include "PackageWriter.h"
#include "data/PackageSignature.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <archive.h>
#include <archive_entry.h>

namespace {

struct Entry {
    const char* path;
    QByteArray data;
    enum Kind { File, Symlink, Hardlink, Directory } kind = File;
    const char* target = nullptr;
};

la_ssize_t Append(struct archive*, void* data, const void* buffer, size_t length)
{
    static_cast<QByteArray*>(data)->append(static_cast<const char*>(buffer), qsizetype(length));
    return la_ssize_t(length);
}

// A tar.gz with exactly the entries given, however hostile.
QByteArray Archive(const QList<Entry>& entries)
{
    QByteArray out;
    struct archive* a = archive_write_new();
    archive_write_set_format_pax_restricted(a);
    archive_write_add_filter_gzip(a);
    archive_write_set_bytes_in_last_block(a, 1);
    archive_write_open2(a, &out, nullptr, Append, nullptr, nullptr);
    for (const Entry& e : entries) {
        struct archive_entry* ae = archive_entry_new();
        archive_entry_set_pathname(ae, e.path);
        archive_entry_set_perm(ae, 0644);
        switch (e.kind) {
        case Entry::File:
            archive_entry_set_filetype(ae, AE_IFREG);
            archive_entry_set_size(ae, e.data.size());
            break;
        case Entry::Directory:
            archive_entry_set_filetype(ae, AE_IFDIR);
            archive_entry_set_perm(ae, 0755);
            break;
        case Entry::Symlink:
            archive_entry_set_filetype(ae, AE_IFLNK);
            archive_entry_set_symlink(ae, e.target);
            break;
        case Entry::Hardlink:
            archive_entry_set_filetype(ae, AE_IFREG);
            archive_entry_set_hardlink(ae, e.target);
            break;
        }
        archive_write_header(a, ae);
        if (e.kind == Entry::File)
            archive_write_data(a, e.data.constData(), size_t(e.data.size()));
        archive_entry_free(ae);
    }
    archive_write_close(a);
    archive_write_free(a);
    return out;
}

QString WritePackageFile(const QTemporaryDir& dir, const QByteArray& archiveBytes)
{
    const QString path = dir.filePath(QStringLiteral("vrndata.giz"));
    WriteAll(path, SelfExtracting(ReadAll(QStringLiteral(VARNELO_PACKAGE_STUB)), archiveBytes));
    QFile::setPermissions(path, QFile::permissions(path) | QFileDevice::ExeOwner);
    return path;
}

// Runs a package as the program does: "-d" + folder + separator.
int Unpack(const QString& package, const QString& folder, QString* output = nullptr)
{
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(package, {QStringLiteral("-d") + folder + QStringLiteral("/")});
    if (!p.waitForFinished(30000))
        return -1;
    if (output)
        *output = QString::fromLocal8Bit(p.readAll());
    return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
}

TEST(PackageStub, UnpacksIntoTheFolderCreatingIt)
{
    QTemporaryDir dir;
    const QString pkg = WritePackageFile(dir, Archive({{"vrnbase.mdb", "db"},
                                                       {"xtm/css/rulestyle.css", "css"},
                                                       {"xp3/\xe4\xb8\xad.xp3", "chinese name"}}));
    const QString target = dir.filePath(QStringLiteral("tmp/Varnelo"));
    QString out;
    ASSERT_EQ(Unpack(pkg, target, &out), 0) << out.toStdString();
    EXPECT_EQ(ReadAll(target + QStringLiteral("/vrnbase.mdb")), QByteArray("db"));
    EXPECT_EQ(ReadAll(target + QStringLiteral("/xtm/css/rulestyle.css")), QByteArray("css"));
    EXPECT_EQ(ReadAll(target + QStringLiteral("/xp3/中.xp3")), QByteArray("chinese name"));
    // Unpacking again overwrites what is there.
    ASSERT_EQ(Unpack(pkg, target), 0);
}

TEST(PackageStub, RefusesHostileEntriesBeforeWritingAnything)
{
    struct Case {
        const char* name;
        Entry bad;
        const char* outside;  // relative to the temporary folder; must not appear
    };
    const Case cases[] = {
        {"parent traversal", {"../evil.txt", "x"}, "evil.txt"},
        {"traversal inside a path", {"xtm/../../evil2.txt", "x"}, "evil2.txt"},
        {"absolute path", {"", "x"}, "abs-evil.txt"},
        {"symbolic link", {"link", {}, Entry::Symlink, "/etc"}, nullptr},
        {"hard link", {"hard", {}, Entry::Hardlink, "/etc/passwd"}, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir dir;
        Entry bad = c.bad;
        const QByteArray absolute = dir.filePath(QStringLiteral("abs-evil.txt")).toUtf8();
        if (QByteArray(bad.path).isEmpty())
            bad.path = absolute.constData();
        const QString pkg = WritePackageFile(dir, Archive({{"vrnbase.mdb", "db"}, bad, {"vrndata.ver", "1"}}));
        const QString target = dir.filePath(QStringLiteral("tmp/Varnelo"));
        QString out;
        EXPECT_NE(Unpack(pkg, target, &out), 0);
        EXPECT_TRUE(out.contains(QStringLiteral("refusing"))) << out.toStdString();
        if (c.outside)
            EXPECT_FALSE(QFileInfo::exists(dir.filePath(QString::fromLatin1(c.outside))));
        // Nothing at all was unpacked: the good entries before the bad one neither.
        EXPECT_FALSE(QFileInfo::exists(target + QStringLiteral("/vrnbase.mdb")));
        EXPECT_FALSE(QFileInfo::exists(target + QStringLiteral("/link")));
        EXPECT_FALSE(QFileInfo::exists(target + QStringLiteral("/hard")));
    }
}

TEST(PackageStub, FailsWithoutPayloadOrFolder)
{
    QTemporaryDir dir;
    // The bare stub carries no archive.
    QString out;
    EXPECT_NE(Unpack(QStringLiteral(VARNELO_PACKAGE_STUB), dir.filePath(QStringLiteral("x")), &out), 0);
    EXPECT_FALSE(QFileInfo::exists(dir.filePath(QStringLiteral("x"))));
    // A damaged archive: cut in the middle of a file's data.
    QByteArray noise(50000, '\0');
    QRandomGenerator random(7);
    random.fillRange(reinterpret_cast<quint32*>(noise.data()), noise.size() / 4);
    QByteArray archiveBytes = Archive({{"vrnbase.mdb", noise}});
    archiveBytes.truncate(archiveBytes.size() / 2);
    EXPECT_NE(Unpack(WritePackageFile(dir, archiveBytes), dir.filePath(QStringLiteral("y")), &out), 0)
        << archiveBytes.size() << " " << out.toStdString();
    // No destination.
    QProcess p;
    p.start(WritePackageFile(dir, Archive({{"a", "b"}})), {});
    ASSERT_TRUE(p.waitForFinished(30000));
    EXPECT_NE(p.exitCode(), 0);
    // A destination below a file cannot be created.
    WriteAll(dir.filePath(QStringLiteral("file")), "f");
    EXPECT_NE(Unpack(WritePackageFile(dir, Archive({{"a", "b"}})), dir.filePath(QStringLiteral("file/sub"))), 0);
}

class SignedPackage : public ::testing::Test {
protected:
    void SetUp() override
    {
        WriteAll(data(QStringLiteral("vrnbase.mdb")), "database");
        WriteAll(data(QStringLiteral("vrndata.ver")), "1.0\n");
        WriteAll(data(QStringLiteral("xp3/a.xp3")), QByteArray(10000, 'a'));
        QString error;
        ASSERT_TRUE(WriteKeyPair(m_dir.filePath(QStringLiteral("k.key")), m_dir.filePath(QStringLiteral("k.pub")), &error))
            << error.toStdString();
        m_publicKey = QByteArray::fromHex(ReadAll(m_dir.filePath(QStringLiteral("k.pub"))).trimmed());
        ASSERT_EQ(m_publicKey.size(), 32);
    }
    QString data(const QString& rel) const { return m_dir.filePath(QStringLiteral("data/") + rel); }
    bool pack(const QString& keyFile, QString* error, const QString& expected = QString())
    {
        PackageOptions o;
        o.dataDir = m_dir.filePath(QStringLiteral("data"));
        o.outPath = package();
        o.secretKeyFile = keyFile;
        o.stubPath = QStringLiteral(VARNELO_PACKAGE_STUB);
        o.expectedPublicKeyHex = expected;
        return WritePackage(o, error);
    }
    QString package() const { return m_dir.filePath(QStringLiteral("bin/giz/vrndata.giz")); }

    QTemporaryDir m_dir;
    QByteArray m_publicKey;
};

TEST_F(SignedPackage, VerifiesUnpacksAndRejectsTampering)
{
    QString error;
    ASSERT_TRUE(pack(m_dir.filePath(QStringLiteral("k.key")), &error)) << error.toStdString();
    EXPECT_TRUE(VerifyPackageSignatureWithKey(package(), m_publicKey, &error)) << error.toStdString();
    const QString target = m_dir.filePath(QStringLiteral("out/Varnelo"));
    ASSERT_EQ(Unpack(package(), target), 0);
    EXPECT_EQ(ReadAll(target + QStringLiteral("/xp3/a.xp3")), QByteArray(10000, 'a'));

    const QByteArray good = ReadAll(package());
    const QByteArray goodSig = ReadAll(package() + QStringLiteral(".sig"));
    // One flipped bit anywhere in the package: in the stub, in the archive, in the trailer.
    for (qsizetype at : {qsizetype(10), good.size() / 2, good.size() - 1}) {
        QByteArray bad = good;
        bad[at] = char(bad[at] ^ 0x01);
        WriteAll(package(), bad);
        EXPECT_FALSE(VerifyPackageSignatureWithKey(package(), m_publicKey, &error)) << at;
    }
    WriteAll(package(), good);
    QByteArray badSig = goodSig;
    badSig[0] = char(badSig[0] ^ 0x80);
    WriteAll(package() + QStringLiteral(".sig"), badSig);
    EXPECT_FALSE(VerifyPackageSignatureWithKey(package(), m_publicKey, &error));
    WriteAll(package() + QStringLiteral(".sig"), goodSig.left(63));
    EXPECT_FALSE(VerifyPackageSignatureWithKey(package(), m_publicKey, &error));
    QFile::remove(package() + QStringLiteral(".sig"));
    EXPECT_FALSE(VerifyPackageSignatureWithKey(package(), m_publicKey, &error));
    EXPECT_TRUE(error.contains(QStringLiteral("no signature"))) << error.toStdString();
    WriteAll(package() + QStringLiteral(".sig"), goodSig);
    EXPECT_TRUE(VerifyPackageSignatureWithKey(package(), m_publicKey, &error));
    // Another key.
    QByteArray other = m_publicKey;
    other[0] = char(other[0] ^ 0x01);
    EXPECT_FALSE(VerifyPackageSignatureWithKey(package(), other, &error));
}

TEST_F(SignedPackage, RefusesAKeyThatDoesNotMatchTheProgram)
{
    QString error;
    EXPECT_FALSE(pack(m_dir.filePath(QStringLiteral("k.key")), &error, QString(64, QLatin1Char('0'))));
    EXPECT_TRUE(error.contains(QStringLiteral("built with"))) << error.toStdString();
    EXPECT_FALSE(QFileInfo::exists(package()));
    EXPECT_TRUE(pack(m_dir.filePath(QStringLiteral("k.key")), &error, QString::fromLatin1(m_publicKey.toHex())))
        << error.toStdString();
}

TEST_F(SignedPackage, BuiltInKeyAcceptsOnlyItsOwnSigner)
{
    const QString demoKey = QStringLiteral(VARNELO_DEMO_KEY_DIR "/demo-secret.key");
    const QByteArray demoPublic = QByteArray::fromHex(ReadAll(QStringLiteral(VARNELO_DEMO_KEY_DIR "/demo-public.key")).trimmed());
    QString error;
    ASSERT_TRUE(pack(m_dir.filePath(QStringLiteral("k.key")), &error)) << error.toStdString();
    EXPECT_FALSE(VerifyPackageSignature(package(), &error));
    if (BuiltInPackagePublicKey() != demoPublic)
        GTEST_SKIP() << "built with a deployment key, not the demo key";
    ASSERT_TRUE(pack(demoKey, &error)) << error.toStdString();
    EXPECT_TRUE(VerifyPackageSignature(package(), &error)) << error.toStdString();
}

TEST_F(SignedPackage, PacksOnlyADataFolder)
{
    QFile::remove(data(QStringLiteral("vrndata.ver")));
    QString error;
    EXPECT_FALSE(pack(m_dir.filePath(QStringLiteral("k.key")), &error));
    EXPECT_TRUE(error.contains(QStringLiteral("not a data folder"))) << error.toStdString();
}

} // namespace
