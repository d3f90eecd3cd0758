#pragma once
#include <QByteArray>
#include <QString>

// A content package is run only when the detached Ed25519 signature beside it
// (packagePath + ".sig", 64 raw bytes) verifies over the whole package file.

// Checks against the public key built into the program.
bool VerifyPackageSignature(const QString& packagePath, QString* error = nullptr);
// Checks against the given 32-byte public key.
bool VerifyPackageSignatureWithKey(const QString& packagePath, const QByteArray& publicKey,
                                   QString* error = nullptr);
// The built-in public key, 32 bytes (empty if the build value is malformed).
QByteArray BuiltInPackagePublicKey();
