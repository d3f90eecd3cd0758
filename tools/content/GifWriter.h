#pragma once
#include <QColor>
#include <QImage>
#include <QString>

// Writes a GIF89a of one ink colour on a transparent ground: the image's
// alpha is the ink's coverage. Partly covered pixels are blended towards
// white, so antialiased edges look right on the white and light pages they
// sit on; fully uncovered pixels are transparent.
bool WriteInkGif(const QImage& coverage, const QColor& ink, const QString& path, QString* error);
