#pragma once
#include <QString>
#include <functional>

// The operating system's own message box (not the skinned message window):
// used for the display check, the database-engine hint, the browser fallback
// and the exercises' answer feedback. Application-modal with one OK button.
enum class SystemBoxIcon { Information = 64, Warning = 48, Error = 16 };

void ShowSystemBox(const QString& title, const QString& text, SystemBoxIcon icon);

// Tests replace the modal box with a recorder; pass nullptr to restore.
using SystemBoxHandler = std::function<void(const QString& title, const QString& text, SystemBoxIcon icon)>;
void SetSystemBoxHandler(SystemBoxHandler handler);
