#include "GifWriter.h"

#include <QFile>

#include <gif_lib.h>

#include <vector>

bool WriteInkGif(const QImage& coverage, const QColor& ink, const QString& path, QString* error)
{
    const QImage img = coverage.convertToFormat(QImage::Format_ARGB32);
    const int w = img.width(), h = img.height();
    if (w <= 0 || h <= 0) {
        *error = QStringLiteral("empty image for %1").arg(path);
        return false;
    }
    // Index 0 is the transparent ground; index k the ink at coverage k/255.
    GifColorType colors[256];
    for (int k = 0; k < 256; ++k) {
        const double a = k / 255.0;
        colors[k].Red = GifByteType(255 + (ink.red() - 255) * a + 0.5);
        colors[k].Green = GifByteType(255 + (ink.green() - 255) * a + 0.5);
        colors[k].Blue = GifByteType(255 + (ink.blue() - 255) * a + 0.5);
    }
    int err = 0;
    GifFileType* gif = EGifOpenFileName(QFile::encodeName(path).constData(), false, &err);
    if (!gif) {
        *error = QStringLiteral("cannot create %1: %2").arg(path, QString::fromUtf8(GifErrorString(err)));
        return false;
    }
    EGifSetGifVersion(gif, true);
    ColorMapObject* map = GifMakeMapObject(256, colors);
    bool ok = map && EGifPutScreenDesc(gif, w, h, 8, 0, map) == GIF_OK;
    if (ok) {
        GraphicsControlBlock gcb{};
        gcb.DisposalMode = DISPOSAL_UNSPECIFIED;
        gcb.UserInputFlag = false;
        gcb.DelayTime = 0;
        gcb.TransparentColor = 0;
        GifByteType ext[4];
        const size_t len = EGifGCBToExtension(&gcb, ext);
        ok = EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, int(len), ext) == GIF_OK
             && EGifPutImageDesc(gif, 0, 0, w, h, false, nullptr) == GIF_OK;
    }
    std::vector<GifPixelType> line(static_cast<size_t>(w));
    for (int y = 0; ok && y < h; ++y) {
        const QRgb* px = reinterpret_cast<const QRgb*>(img.constScanLine(y));
        for (int x = 0; x < w; ++x)
            line[size_t(x)] = GifPixelType(qAlpha(px[x]));
        ok = EGifPutLine(gif, line.data(), w) == GIF_OK;
    }
    if (!ok)
        err = gif->Error;
    if (EGifCloseFile(gif, &err) != GIF_OK)
        ok = false;
    GifFreeMapObject(map);
    if (!ok)
        *error = QStringLiteral("cannot write %1: %2").arg(path, QString::fromUtf8(GifErrorString(err)));
    return ok;
}
