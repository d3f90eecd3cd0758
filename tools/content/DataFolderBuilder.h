#pragma once
#include <QString>

#include <functional>

struct BuildOptions {
    QString contentDir;
    QString outDir;     // the data folder to (re)create
    QString cacheDir;   // synthesised recordings, kept between builds
    QString version;    // first line of vrndata.ver
    QString glyphFont;  // empty: the default
    int jobs = 2;
    bool allowFaults = false;
    std::function<void(const QString&)> progress;
};

// Turns a content folder into a complete data folder: vrnbase.mdb, xtm/,
// xp3/, symbol/, pic/ and vrndata.ver. The folder is built beside the target
// and swapped in at the end, so a failed build leaves the old one intact and a
// finished one holds nothing stale. Refuses sources with faults unless told.
bool BuildDataFolder(const BuildOptions& options, QString* error);

// The content database alone, from already checked sources.
struct ContentSources;
bool WriteContentDatabase(const ContentSources& sources, const QString& path, QString* error);
