#include "JetImport.h"

bool ImportJetToSqlite(const QString& jetPath, const QString& sqlitePath, QString* error)
{
    Q_UNUSED(jetPath);
    Q_UNUSED(sqlitePath);
    if (error)
        *error = QStringLiteral("Access/Jet import is not available");
    return false;
}
