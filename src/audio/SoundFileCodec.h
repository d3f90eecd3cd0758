#pragma once
#include <QByteArray>
#include <QString>

// Scrambled recordings (.xp3): the bytes at the even offsets of the first
// 4096 bytes are reversed in order. The permutation is its own inverse, so
// the same routine scrambles and de-scrambles.
void PermuteSoundBytes(QByteArray& bytes);
// Copies source to target (replacing it) and de-scrambles the copy in place.
bool DecodeSoundFile(const QString& sourcePath, const QString& targetPath);
