#include "PackageWriter.h"

#include "PackageTrailer.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <archive.h>
#include <archive_entry.h>
#include <sodium.h>

#include <algorithm>

namespace {

// Entries carry one fixed time, so the same folder always gives the same
// package; unpacking does not restore times anyway.
constexpr time_t kEntryTime = 1704067200;  // 2024-01-01

la_ssize_t AppendToByteArray(struct archive*, void* data, const void* buffer, size_t length)
{
    static_cast<QByteArray*>(data)->append(static_cast<const char*>(buffer), qsizetype(length));
    return la_ssize_t(length);
}

bool SaveBytes(const QString& path, const QByteArray& bytes, QFileDevice::Permissions perms, QString* error)
{
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size() || !f.commit()) {
        *error = QStringLiteral("cannot write %1").arg(path);
        return false;
    }
    QFile::setPermissions(path, perms);
    return true;
}

const QFileDevice::Permissions kReadable = QFileDevice::ReadOwner | QFileDevice::WriteOwner
                                           | QFileDevice::ReadGroup | QFileDevice::ReadOther;
const QFileDevice::Permissions kExecutable = kReadable | QFileDevice::ExeOwner | QFileDevice::ExeGroup
                                             | QFileDevice::ExeOther;

} // namespace

bool WriteArchive(const QString& dataDir, QByteArray* archiveBytes, QString* error)
{
    const QDir root(dataDir);
    if (!root.exists()) {
        *error = QStringLiteral("no data folder %1").arg(dataDir);
        return false;
    }
    QStringList files;
    QDirIterator it(dataDir, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QFileInfo info(path);
        if (info.isSymLink() || !info.isFile()) {
            *error = QStringLiteral("%1 is not a plain file; a package holds only plain files").arg(path);
            return false;
        }
        files << root.relativeFilePath(path);
    }
    std::sort(files.begin(), files.end());
    if (!files.contains(QStringLiteral("vrnbase.mdb")) || !files.contains(QStringLiteral("vrndata.ver"))) {
        *error = QStringLiteral("%1 has no vrnbase.mdb or vrndata.ver: not a data folder").arg(dataDir);
        return false;
    }

    archiveBytes->clear();
    struct archive* a = archive_write_new();
    archive_write_set_format_pax_restricted(a);
    archive_write_add_filter_gzip(a);
    archive_write_set_options(a, "gzip:!timestamp");
    archive_write_set_bytes_in_last_block(a, 1);
    bool ok = archive_write_open2(a, archiveBytes, nullptr, AppendToByteArray, nullptr, nullptr) == ARCHIVE_OK;
    for (const QString& rel : files) {
        if (!ok)
            break;
        QFile f(root.filePath(rel));
        if (!f.open(QIODevice::ReadOnly)) {
            *error = QStringLiteral("cannot read %1").arg(f.fileName());
            ok = false;
            break;
        }
        const QByteArray data = f.readAll();
        struct archive_entry* e = archive_entry_new();
        archive_entry_set_pathname_utf8(e, rel.toUtf8().constData());
        archive_entry_set_filetype(e, AE_IFREG);
        archive_entry_set_perm(e, 0644);
        archive_entry_set_size(e, data.size());
        archive_entry_set_mtime(e, kEntryTime, 0);
        ok = archive_write_header(a, e) == ARCHIVE_OK
             && archive_write_data(a, data.constData(), size_t(data.size())) == la_ssize_t(data.size());
        archive_entry_free(e);
        if (!ok)
            *error = QStringLiteral("cannot pack %1: %2").arg(rel, QString::fromUtf8(archive_error_string(a)));
    }
    if (archive_write_close(a) != ARCHIVE_OK && ok) {
        *error = QStringLiteral("cannot finish the archive: %1").arg(QString::fromUtf8(archive_error_string(a)));
        ok = false;
    }
    archive_write_free(a);
    return ok;
}

QByteArray SelfExtracting(const QByteArray& stub, const QByteArray& archiveBytes)
{
    unsigned char trailer[package_trailer::kSize];
    package_trailer::Write(std::uint64_t(stub.size()), trailer);
    return stub + archiveBytes + QByteArray(reinterpret_cast<const char*>(trailer), sizeof trailer);
}

bool ReadSecretKey(const QString& path, QByteArray* secretKey, QByteArray* publicKey, QString* error)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("cannot read key file %1").arg(path);
        return false;
    }
    const QByteArray hex = f.readAll().trimmed();
    const QByteArray key = QByteArray::fromHex(hex);
    if (hex.size() != 2 * crypto_sign_SECRETKEYBYTES || key.size() != crypto_sign_SECRETKEYBYTES) {
        *error = QStringLiteral("%1 is not a secret key (%2 hex digits)").arg(path).arg(2 * crypto_sign_SECRETKEYBYTES);
        return false;
    }
    *secretKey = key;
    if (publicKey) {
        publicKey->resize(crypto_sign_PUBLICKEYBYTES);
        crypto_sign_ed25519_sk_to_pk(reinterpret_cast<unsigned char*>(publicKey->data()),
                                     reinterpret_cast<const unsigned char*>(key.constData()));
    }
    return true;
}

bool WriteKeyPair(const QString& secretKeyFile, const QString& publicKeyFile, QString* error)
{
    if (sodium_init() < 0) {
        *error = QStringLiteral("libsodium cannot start");
        return false;
    }
    QByteArray pk(crypto_sign_PUBLICKEYBYTES, '\0'), sk(crypto_sign_SECRETKEYBYTES, '\0');
    crypto_sign_keypair(reinterpret_cast<unsigned char*>(pk.data()), reinterpret_cast<unsigned char*>(sk.data()));
    const bool ok = SaveBytes(secretKeyFile, sk.toHex() + '\n', QFileDevice::ReadOwner | QFileDevice::WriteOwner, error)
                    && SaveBytes(publicKeyFile, pk.toHex() + '\n', kReadable, error);
    sodium_memzero(sk.data(), size_t(sk.size()));
    return ok;
}

bool SignFile(const QString& path, const QByteArray& secretKey, QString* error)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("cannot read %1").arg(path);
        return false;
    }
    const QByteArray bytes = f.readAll();
    QByteArray sig(crypto_sign_BYTES, '\0');
    // One detached signature over the whole file; the multi-part API would
    // make an Ed25519ph signature that crypto_sign_verify_detached rejects.
    crypto_sign_detached(reinterpret_cast<unsigned char*>(sig.data()), nullptr,
                         reinterpret_cast<const unsigned char*>(bytes.constData()),
                         static_cast<unsigned long long>(bytes.size()),
                         reinterpret_cast<const unsigned char*>(secretKey.constData()));
    return SaveBytes(path + QStringLiteral(".sig"), sig, kReadable, error);
}

bool WritePackage(const PackageOptions& o, QString* error)
{
    if (sodium_init() < 0) {
        *error = QStringLiteral("libsodium cannot start");
        return false;
    }
    QByteArray sk, pk;
    if (!ReadSecretKey(o.secretKeyFile, &sk, &pk, error))
        return false;
    if (!o.expectedPublicKeyHex.isEmpty()
        && pk.toHex() != o.expectedPublicKeyHex.trimmed().toLatin1().toLower()) {
        *error = QStringLiteral("the secret key %1 belongs to public key %2, but the program is built with %3")
                     .arg(o.secretKeyFile, QString::fromLatin1(pk.toHex()), o.expectedPublicKeyHex);
        return false;
    }
    QFile stubFile(o.stubPath);
    if (!stubFile.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("cannot read the package stub %1").arg(o.stubPath);
        return false;
    }
    const QByteArray stub = stubFile.readAll();
    QByteArray archiveBytes;
    if (!WriteArchive(o.dataDir, &archiveBytes, error))
        return false;
    const QFileInfo out(o.outPath);
    if (!QDir().mkpath(out.absolutePath())) {
        *error = QStringLiteral("cannot create %1").arg(out.absolutePath());
        return false;
    }
    // The signature is removed first, so an interrupted run never leaves a
    // new package beside the old package's signature.
    QFile::remove(o.outPath + QStringLiteral(".sig"));
    const bool ok = SaveBytes(o.outPath, SelfExtracting(stub, archiveBytes), kExecutable, error)
                    && SignFile(o.outPath, sk, error);
    sodium_memzero(sk.data(), size_t(sk.size()));
    return ok;
}
