#pragma once
#include <QByteArray>
#include <QString>

struct PackageOptions {
    QString dataDir;        // the data folder to pack
    QString outPath;        // the package; its signature goes to outPath + ".sig"
    QString secretKeyFile;  // 128 hex digits: the libsodium Ed25519 secret key
    QString stubPath;       // the self-extracting stub executable
    QString expectedPublicKeyHex;  // when set, the secret key must belong to it
};

// Writes the self-extracting content package (stub + gzip-compressed tar of
// every file below dataDir + trailer) and its detached Ed25519 signature.
bool WritePackage(const PackageOptions& options, QString* error);

// Writes a new key pair as hex text files.
bool WriteKeyPair(const QString& secretKeyFile, const QString& publicKeyFile, QString* error);
// Reads a secret key file; its public half in *publicKey when given.
bool ReadSecretKey(const QString& path, QByteArray* secretKey, QByteArray* publicKey, QString* error);
// Signs a whole file into file + ".sig" (64 raw bytes).
bool SignFile(const QString& path, const QByteArray& secretKey, QString* error);
// The archive (gzip-compressed tar) of every file below a folder, names
// relative to it.
bool WriteArchive(const QString& dataDir, QByteArray* archive, QString* error);
// The stub with the archive and the trailer appended.
QByteArray SelfExtracting(const QByteArray& stub, const QByteArray& archive);
