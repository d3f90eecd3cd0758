#pragma once
#include <QString>

// Operating-system version as "platform.major.minor" (Windows 7: "2.6.1").
QString GetOSVersion();
// The connection string for an OS version text and a data folder; "2.6.1"
// gets the ODBC form, everything else the OLE DB form.
QString ConnectionStringFor(const QString& osVersion, const QString& dataFolder);
// Sets App().ConnectionString for this system.
void BuildConnectionString();
// The database file named by "Data Source=" or "DBQ=" (empty when neither).
QString DatabasePathFromConnectionString(const QString& connectionString);
// Startup check: on Windows 7 only, tells how to install the database engine
// when the content database cannot be opened, opens the download page and
// ends the program. Returns false when the program must end.
bool CheckDatabaseEngine();
