#include "audio/SoundFileCodec.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QByteArray Pattern(qsizetype size)
{
    QByteArray b(size, '\0');
    for (qsizetype i = 0; i < size; ++i)
        b[i] = char((i * 7 + i / 256) & 0xFF);
    return b;
}

TEST(SoundFileCodec, ReversesEvenOffsetsOfTheFirst4096Bytes)
{
    const QByteArray plain = Pattern(5000);
    QByteArray b = plain;
    PermuteSoundBytes(b);
    for (int m = 0; m < 2048; ++m)
        ASSERT_EQ(b.at(2 * m), plain.at(4094 - 2 * m)) << m;
    for (qsizetype i = 1; i < 4096; i += 2)
        ASSERT_EQ(b.at(i), plain.at(i)) << i;
    EXPECT_EQ(b.mid(4096), plain.mid(4096));
}

TEST(SoundFileCodec, IsItsOwnInverseForEverySize)
{
    for (qsizetype size : {0, 1, 2, 3, 4, 5, 100, 101, 4095, 4096, 4097, 9000}) {
        const QByteArray plain = Pattern(size);
        QByteArray b = plain;
        PermuteSoundBytes(b);
        EXPECT_EQ(b.size(), size);
        PermuteSoundBytes(b);
        EXPECT_EQ(b, plain) << size;
    }
}

TEST(SoundFileCodec, ShortFileReversesTheEvenOffsetsItHas)
{
    // 7 bytes: even offsets 0, 2, 4, 6 reversed among themselves.
    QByteArray b("0123456");
    PermuteSoundBytes(b);
    EXPECT_EQ(b, QByteArray("6143250"));
    QByteArray even("012345");  // even offsets 0, 2, 4
    PermuteSoundBytes(even);
    EXPECT_EQ(even, QByteArray("412305"));
}

TEST(SoundFileCodec, DecodeSoundFileWritesAPlayableCopy)
{
    QTemporaryDir dir;
    for (qsizetype size : {4096, 1500}) {
        const QByteArray plain = Pattern(size);
        QByteArray scrambled = plain;
        PermuteSoundBytes(scrambled);
        const QString source = dir.filePath(QStringLiteral("w%1.xp3").arg(size));
        const QString target = dir.filePath(QStringLiteral("w%1.mp3").arg(size));
        QFile s(source);
        ASSERT_TRUE(s.open(QIODevice::WriteOnly));
        s.write(scrambled);
        s.close();
        s.setPermissions(QFileDevice::ReadOwner);
        // An existing target is replaced.
        QFile t(target);
        ASSERT_TRUE(t.open(QIODevice::WriteOnly));
        t.write("old contents that are longer than nothing");
        t.close();

        ASSERT_TRUE(DecodeSoundFile(source, target));
        QFile r(target);
        ASSERT_TRUE(r.open(QIODevice::ReadOnly));
        EXPECT_EQ(r.readAll(), plain) << size;
        // The source is left scrambled.
        ASSERT_TRUE(s.open(QIODevice::ReadOnly));
        EXPECT_EQ(s.readAll(), scrambled);
    }
}

TEST(SoundFileCodec, MissingSourceFailsWithoutCreatingTheTarget)
{
    QTemporaryDir dir;
    const QString target = dir.filePath(QStringLiteral("copy.mp3"));
    EXPECT_FALSE(DecodeSoundFile(dir.filePath(QStringLiteral("none.xp3")), target));
    EXPECT_FALSE(QFile::exists(target));
}

} // namespace
