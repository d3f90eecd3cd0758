#pragma once
#include <QByteArray>
#include <QString>
#include <optional>

// Service answers are Big5 text. Bytes below 0x80 are ASCII; every byte from
// 0x80 to 0xFF starts a two-byte code together with the byte after it. A pair
// that names no Big5 character becomes U+FFFD. An answer that ends in a lead
// byte has lost its last character: the whole answer is rejected (nullopt).
std::optional<QString> ResponseBytesToText(const QByteArray& bytes);
