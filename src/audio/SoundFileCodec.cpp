#include "SoundFileCodec.h"

#include <QFile>

#include <utility>

namespace {
constexpr qsizetype kScrambledLength = 4096;
}

void PermuteSoundBytes(QByteArray& bytes)
{
    const qsizetype covered = std::min(bytes.size(), kScrambledLength);
    if (covered < 2)
        return;
    // Last even offset inside the covered range: 4094 for a full block.
    qsizetype hi = (covered - 1) & ~qsizetype(1);
    qsizetype lo = 0;
    char* data = bytes.data();
    while (lo < hi) {
        std::swap(data[lo], data[hi]);
        lo += 2;
        hi -= 2;
    }
}

bool DecodeSoundFile(const QString& sourcePath, const QString& targetPath)
{
    if (!QFile::exists(sourcePath))
        return false;
    if (QFile::exists(targetPath) && !QFile::remove(targetPath))
        return false;
    if (!QFile::copy(sourcePath, targetPath))
        return false;
    QFile target(targetPath);
    // The copy keeps the source's permissions; a read-only source must still
    // give a copy we can de-scramble.
    target.setPermissions(target.permissions() | QFileDevice::WriteOwner);
    if (!target.open(QIODevice::ReadWrite))
        return false;
    QByteArray head = target.read(kScrambledLength);
    PermuteSoundBytes(head);
    if (!target.seek(0) || target.write(head) != head.size())
        return false;
    return target.flush();
}
