#pragma once
#include <QString>

// The values the whole program shares. InitGlobalValues sets them once, early
// in the startup; afterwards they are only read.
struct AppValues {
    QString ProductCode;
    QString ProductFolderName;
    QString PageFontSize;
    QString ServiceSiteUrl;
    QString WebSiteUrl;
    QString UpdateHost;
    QString TempFolder;
    QString ConnectionString;
    int FullAlpha = 255;
    QString SettingsFilePath;
};

const AppValues& App();
// Tests and the startup only: everyone else reads App().
AppValues& MutableApp();

void InitGlobalValues();

// The platform's path separator: "\" on Windows, "/" elsewhere. Every data
// path is composed with it; URLs always use "/".
QString PathSep();
// TempFolder + separator + ProductFolderName.
QString DataFolder();
// The data folder as a file URL, without a trailing "/". Pages address glyphs
// below "/symbol/" and icons below "/pic/" of it.
QString DataFolderUrl();
// The folder the executable runs from.
QString AppFolder();

// Shared state owned by other modules.
extern QString MessageAnswer;   // "" while a message is open, then OK/CANCEL/YES/NO
extern QString MessageSubject;  // inserted into message 9001
extern bool DownloadDone;       // set by the content-download window when it closes

// A unique part of a file name: seconds since 2006-01-01 00:00:00 local time
// followed by five random digits.
QString NewUniqueStamp();
// The rule behind NewUniqueStamp with its inputs made explicit.
QString UniqueStampFrom(qint64 secondsSinceReference, double u);
