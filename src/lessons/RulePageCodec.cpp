#include "RulePageCodec.h"

QString ReadTextFile(const QString&, const QByteArray&) { return QString(); }
QString ReadBig5TextFile(const QString& path) { return ReadTextFile(path, "Big5"); }
QString DecodeRulePage(const QString& text) { return text; }
QString EncodeRulePage(const QString& body) { return body; }
