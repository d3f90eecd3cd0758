#pragma once
#include <QString>

bool CheckFileExists(const QString& path);
bool CheckFolderExists(const QString& path);
