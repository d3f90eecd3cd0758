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
// The key values are derived from the body, so a page always scrambles the
// same way.
QString EncodeRulePage(const QString& body);

// The first two bytes of every rule page and stylesheet file; readers skip them.
QByteArray RuleFileLead();
// Whether every character of text has a Big5 code; *offending gets the first
// one that has none.
bool IsBig5Encodable(const QString& text, QString* offending = nullptr);
// A whole file as written to disk: the lead and the text in Big5. Empty with
// *error set when the text holds a character Big5 cannot encode.
QByteArray Big5FileBytes(const QString& text, QString* error = nullptr);
