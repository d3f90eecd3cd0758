#pragma once
#include <QString>

// The page icons the program's pages address below pic/: speaker, answer,
// next and hint buttons in their normal, hover and pressed looks, the answer
// tick and cross, and the captions of exercise 4's hints.
bool WritePageIcons(const QString& picDir, QString* error);

// The font of the Chinese captions and button labels.
QString CaptionFont();
