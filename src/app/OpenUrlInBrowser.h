#pragma once
#include <QString>

// Shows the page in the system's web browser: the desktop's URL handler
// first, then the platform's opener command, and when both fail the system
// box "無法正常啟動瀏覽器!".
void OpenUrlInBrowser(const QString& url);
