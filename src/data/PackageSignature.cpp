#include "PackageSignature.h"

#include "BuildConfig.h"

#include <QFile>

#include <sodium.h>

namespace {

bool Fail(QString* error, const QString& message)
{
    if (error)
        *error = message;
    return false;
}

} // namespace

QByteArray BuiltInPackagePublicKey()
{
    const QByteArray key = QByteArray::fromHex(QByteArrayLiteral(VARNELO_PACKAGE_PUBLIC_KEY));
    return key.size() == crypto_sign_PUBLICKEYBYTES ? key : QByteArray();
}

bool VerifyPackageSignature(const QString& packagePath, QString* error)
{
    return VerifyPackageSignatureWithKey(packagePath, BuiltInPackagePublicKey(), error);
}

bool VerifyPackageSignatureWithKey(const QString& packagePath, const QByteArray& publicKey,
                                   QString* error)
{
    if (sodium_init() < 0)
        return Fail(error, QStringLiteral("the signature library cannot start"));
    if (publicKey.size() != crypto_sign_PUBLICKEYBYTES)
        return Fail(error, QStringLiteral("no valid public key for content packages"));

    QFile sigFile(packagePath + QStringLiteral(".sig"));
    if (!sigFile.open(QIODevice::ReadOnly))
        return Fail(error, QStringLiteral("no signature file %1").arg(sigFile.fileName()));
    const QByteArray signature = sigFile.readAll();
    if (signature.size() != crypto_sign_BYTES)
        return Fail(error, QStringLiteral("signature file %1 is not %2 bytes")
                               .arg(sigFile.fileName())
                               .arg(crypto_sign_BYTES));

    QFile package(packagePath);
    if (!package.open(QIODevice::ReadOnly))
        return Fail(error, QStringLiteral("cannot read package %1").arg(packagePath));
    // One detached signature over the whole file, as crypto_sign_detached made it.
    const QByteArray bytes = package.readAll();
    if (package.error() != QFileDevice::NoError)
        return Fail(error, QStringLiteral("cannot read package %1").arg(packagePath));

    if (crypto_sign_verify_detached(reinterpret_cast<const unsigned char*>(signature.constData()),
                                    reinterpret_cast<const unsigned char*>(bytes.constData()),
                                    static_cast<unsigned long long>(bytes.size()),
                                    reinterpret_cast<const unsigned char*>(publicKey.constData()))
        != 0)
        return Fail(error, QStringLiteral("package %1 does not match its signature").arg(packagePath));
    return true;
}
