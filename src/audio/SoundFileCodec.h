#pragma once
#include <QByteArray>

// Scrambled recordings (.xp3): a byte permutation that is its own inverse.
void DecodeSoundBytes(QByteArray& bytes);
