#include "SoundFileCodec.h"

void DecodeSoundBytes(QByteArray& bytes)
{
    Q_UNUSED(bytes);
}
