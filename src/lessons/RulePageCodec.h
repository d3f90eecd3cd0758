#pragma once
#include <QByteArray>
#include <QString>

// Rule pages (.xtm) and their stylesheet are Big5 text read from byte offset 2.
// A scrambled page is a 27-character header, the body, and four key
// characters; the body's ASCII characters are XORed with the four key values
// in turn, double-byte characters are left alone and take no key.
QString ReadTextFile(const QString& path, const QByteArray& charset);
QString ReadBig5TextFile(const QString& path);

QString DecodeRulePage(const QString& text);
// The builder's side: the file text (before the 2-byte lead) for a plain body.
QString EncodeRulePage(const QString& body);
