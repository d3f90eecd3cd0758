#include "ResponseText.h"

#include <QStringDecoder>

std::optional<QString> ResponseBytesToText(const QByteArray& bytes)
{
    const qsizetype n = bytes.size();
    QString text;
    text.reserve(n);
    QStringDecoder big5("Big5");
    qsizetype i = 0;
    while (i < n) {
        const auto lead = static_cast<unsigned char>(bytes.at(i));
        if (lead < 0x80) {
            text.append(QChar(lead));
            ++i;
            continue;
        }
        if (i + 1 >= n)
            return std::nullopt;
        // Each pair is decoded on its own, so one bad pair cannot shift the
        // pairing of the bytes after it.
        big5.resetState();
        const QString one = big5.decode(bytes.mid(i, 2));
        const bool single = one.size() == 1 || (one.size() == 2 && one.at(0).isHighSurrogate());
        if (single && !big5.hasError())
            text.append(one);
        else
            text.append(QChar(QChar::ReplacementCharacter));
        i += 2;
    }
    return text;
}
