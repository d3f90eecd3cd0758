#pragma once
#include <QByteArray>
#include <QString>

// Scrambled rule pages (.xtm): Big5 text read from byte offset 2, whose
// characters are shifted by a keyed, position-dependent offset.
QString DecodeRulePage(const QString& scrambled);
