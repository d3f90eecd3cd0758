#pragma once
#include <QByteArray>
#include <QString>

// Scrambled recordings (.xp3): the bytes at the even offsets of the first
// 4096 bytes are reversed in order. The permutation is its own inverse, so
// the same routine scrambles and de-scrambles.
//
// A file shorter than 4096 bytes has fewer even offsets: those that exist are
// reversed among themselves, which is still its own inverse and never touches
// a byte past the end.
void PermuteSoundBytes(QByteArray& bytes);
// Copies source to target (replacing it) and de-scrambles the copy in place.
bool DecodeSoundFile(const QString& sourcePath, const QString& targetPath);
