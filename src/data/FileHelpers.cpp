#include "FileHelpers.h"

#include <QFileInfo>

bool CheckFileExists(const QString& path)
{
    const QFileInfo info(path);
    return !path.isEmpty() && info.exists() && info.isFile();
}

bool CheckFolderExists(const QString& path)
{
    const QFileInfo info(path);
    return !path.isEmpty() && info.exists() && info.isDir();
}
