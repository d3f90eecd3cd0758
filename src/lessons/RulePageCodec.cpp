#include "RulePageCodec.h"

#include <QCryptographicHash>
#include <QFile>
#include <QStringDecoder>
#include <QStringEncoder>
#include <QStringView>

#include <algorithm>

namespace {

// Discarded by the reader; it only has to be 27 plain characters long.
constexpr char16_t kHeader[] = u"<!-- Varnelo rule page -->\n";
constexpr qsizetype kHeaderLength = 27;
static_assert(sizeof(kHeader) / sizeof(kHeader[0]) - 1 == kHeaderLength);

constexpr int kKeyCount = 4;
// Key character k (k-th from the end) = key value k + offset k. With key
// values in 1..63 every key character is printable ASCII (0x24..0x7A) and
// every scrambled ASCII character stays ASCII, so Big5 never sees a lead byte.
constexpr int kKeyOffsets[kKeyCount] = {0x23, 0x2F, 0x31, 0x3B};
constexpr int kMaxKeyValue = 0x3F;

bool IsAscii(QChar c) { return c.unicode() < 0x80; }

// XORs the ASCII characters with the keys in turn; other characters are
// copied and do not move the key counter.
QString ApplyKeys(QStringView body, const int (&keys)[kKeyCount])
{
    QString out;
    out.reserve(body.size());
    int k = 0;
    for (QChar c : body) {
        if (IsAscii(c)) {
            out.append(QChar(char16_t(c.unicode() ^ keys[k])));
            k = (k + 1) % kKeyCount;
        } else {
            out.append(c);
        }
    }
    return out;
}

} // namespace

QString ReadTextFile(const QString& path, const QByteArray& charset)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    if (!file.seek(2))
        return QString();
    const QByteArray bytes = file.readAll();
    QStringDecoder decoder(charset.constData());
    if (!decoder.isValid())
        return QString();
    return decoder.decode(bytes);
}

QString ReadBig5TextFile(const QString& path) { return ReadTextFile(path, "Big5"); }

QString DecodeRulePage(const QString& text)
{
    if (text.size() < kHeaderLength + kKeyCount)
        return QString();
    const QStringView rest = QStringView(text).mid(kHeaderLength);
    int keys[kKeyCount];
    for (int k = 0; k < kKeyCount; ++k) {
        const int code = rest.at(rest.size() - 1 - k).unicode() - kKeyOffsets[k];
        // A well-formed page has keys below 0x80; masking keeps a damaged one
        // from turning ASCII into something else.
        keys[k] = code & 0x7F;
    }
    return ApplyKeys(rest.first(rest.size() - kKeyCount), keys);
}

QString EncodeRulePage(const QString& body)
{
    const QByteArray digest =
        QCryptographicHash::hash(body.toUtf8(), QCryptographicHash::Sha256);
    int keys[kKeyCount];
    for (int k = 0; k < kKeyCount; ++k)
        keys[k] = 1 + uchar(digest.at(k)) % kMaxKeyValue;

    QString out = QString::fromUtf16(kHeader, kHeaderLength);
    out += ApplyKeys(body, keys);
    for (int k = kKeyCount - 1; k >= 0; --k)
        out.append(QChar(char16_t(keys[k] + kKeyOffsets[k])));
    return out;
}

QByteArray RuleFileLead() { return QByteArrayLiteral("\r\n"); }

bool IsBig5Encodable(const QString& text, QString* offending)
{
    if (std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c.unicode() < 0x80; }))
        return true;
    QStringEncoder encoder("Big5");
    const QByteArray bytes = encoder.encode(text);
    // The encoder may substitute rather than fail, so compare the way back too.
    if (!encoder.hasError() && QStringDecoder("Big5").decode(bytes) == text)
        return true;
    if (offending) {
        offending->clear();
        for (char32_t cp : text.toUcs4()) {
            const QString one = QString::fromUcs4(&cp, 1);
            QStringEncoder e("Big5");
            const QByteArray b = e.encode(one);
            if (e.hasError() || QStringDecoder("Big5").decode(b) != one) {
                *offending = one;
                break;
            }
        }
    }
    return false;
}

QByteArray Big5FileBytes(const QString& text, QString* error)
{
    QString bad;
    if (!IsBig5Encodable(text, &bad)) {
        if (error)
            *error = QStringLiteral("'%1' (U+%2) has no Big5 code")
                         .arg(bad)
                         .arg(bad.isEmpty() ? 0u : uint(bad.toUcs4().value(0)), 4, 16, QChar(u'0'));
        return QByteArray();
    }
    QStringEncoder encoder("Big5");
    return RuleFileLead() + QByteArray(encoder.encode(text));
}
