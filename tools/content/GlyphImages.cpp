#include "GlyphImages.h"

#include "GifWriter.h"
#include "pages/GlyphNames.h"

#include <QDir>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QImage>
#include <QPainter>

#include <cmath>

namespace {

const QColor kInk(0x1a, 0x1a, 0x1a);

QImage RenderGlyph(const QString& symbol, int height, const QFont& font)
{
    const QFontMetricsF fm(font);
    const QRectF ink = fm.tightBoundingRect(symbol);
    const double advance = fm.horizontalAdvance(symbol);
    const double left = std::min(0.0, ink.left());
    const double right = std::max(advance, ink.right());
    const int pad = std::max(1, height / 24);
    const int width = int(std::ceil(right - left)) + 2 * pad;
    // The same baseline for every glyph of the set: the font's line box
    // centred in the image height.
    const double baseline = (height - (fm.ascent() + fm.descent())) / 2.0 + fm.ascent();

    QImage img(width, height, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setFont(font);
    p.setPen(Qt::black);
    p.drawText(QPointF(pad - left, baseline), symbol);
    p.end();
    return img;
}

} // namespace

QString DefaultGlyphFont() { return QStringLiteral("DejaVu Sans"); }

bool WriteGlyphImages(const QList<KeyedLine>& glyphs, const QString& symbolDir, const QString& fontFamily,
                      QString* error)
{
    const struct {
        const char* folder;
        int height;
    } sets[] = {{"font_b", 48}, {"font_s", 27}};
    for (const auto& set : sets) {
        QFont font(fontFamily);
        font.setStyleStrategy(QFont::StyleStrategy(QFont::NoFontMerging | QFont::PreferAntialias));
        // A pixel size that leaves the tallest glyphs (brackets) a margin.
        const QFontMetricsF unit([&] {
            QFont f = font;
            f.setPixelSize(100);
            return f;
        }());
        font.setPixelSize(int(set.height * 100 / (unit.ascent() + unit.descent()) * 0.92));
        if (QFontInfo(font).family().compare(fontFamily, Qt::CaseInsensitive) != 0) {
            *error = QStringLiteral("font \"%1\" is not installed (found \"%2\")")
                         .arg(fontFamily, QFontInfo(font).family());
            return false;
        }
        const QFontMetricsF fm(font);
        const QString dir = QDir(symbolDir).filePath(QString::fromLatin1(set.folder));
        if (!QDir().mkpath(dir)) {
            *error = QStringLiteral("cannot create %1").arg(dir);
            return false;
        }
        for (const KeyedLine& g : glyphs) {
            if (g.key.size() != 1 || g.value.isEmpty())
                continue;
            for (char32_t cp : g.value.toUcs4()) {
                if (!fm.inFontUcs4(cp)) {
                    *error = QStringLiteral("font \"%1\" has no glyph for \"%2\" (code %3)")
                                 .arg(fontFamily, g.value, g.key);
                    return false;
                }
            }
            const QString path = QDir(dir).filePath(GlyphName(g.key.at(0)) + QStringLiteral(".gif"));
            if (!WriteInkGif(RenderGlyph(g.value, set.height, font), kInk, path, error))
                return false;
        }
    }
    return true;
}
