#pragma once
#include <QString>

// Copies every user table of an Access/Jet database into a new SQLite file:
// text columns are declared COLLATE NOCASE so "=" and LIKE compare as Jet
// does, and rows keep their stored order. Writes to a temporary file and
// renames it, so a failed import leaves no half-made cache.
bool ImportJetToSqlite(const QString& jetPath, const QString& sqlitePath, QString* error);
