#include "SoundFileCodec.h"

void PermuteSoundBytes(QByteArray&) {}
bool DecodeSoundFile(const QString&, const QString&) { return false; }
