#include "PageIcons.h"

#include "GifWriter.h"

#include <QDir>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <cmath>
#include <functional>

namespace {

// The answer area of exercise 4 is this green; its buttons are drawn on it.
const QColor kAnswerArea(0xD8, 0xEC, 0xD2);

enum class Look { Normal, Over, Click };
const struct {
    Look look;
    const char* suffix;
} kLooks[] = {{Look::Normal, "normal"}, {Look::Over, "over"}, {Look::Click, "click"}};

QFont Font(const QString& family, int pixelSize, bool bold = false)
{
    QFont f(family);
    f.setPixelSize(pixelSize);
    f.setBold(bold);
    f.setStyleStrategy(QFont::PreferAntialias);
    return f;
}

// A loudspeaker with two sound waves, filling the box.
void DrawSpeaker(QPainter& p, const QRectF& box, const QColor& ink)
{
    const double w = box.width(), h = box.height();
    const double x = box.left(), y = box.top();
    QPainterPath body;
    body.moveTo(x + 0.05 * w, y + 0.36 * h);
    body.lineTo(x + 0.22 * w, y + 0.36 * h);
    body.lineTo(x + 0.48 * w, y + 0.08 * h);
    body.lineTo(x + 0.48 * w, y + 0.92 * h);
    body.lineTo(x + 0.22 * w, y + 0.64 * h);
    body.lineTo(x + 0.05 * w, y + 0.64 * h);
    body.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(ink);
    p.drawPath(body);
    QPen wave(ink, std::max(1.5, w * 0.08), Qt::SolidLine, Qt::RoundCap);
    p.setPen(wave);
    p.setBrush(Qt::NoBrush);
    const QPointF c(x + 0.48 * w, y + 0.5 * h);
    for (double r : {0.22, 0.40}) {
        const QRectF arc(c.x() - r * w, c.y() - r * w * 1.1, 2 * r * w, 2 * r * w * 1.1);
        p.drawArc(arc, -45 * 16, 90 * 16);
    }
}

QImage Transparent(int w, int h)
{
    QImage img(w, h, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    return img;
}

QColor SpeakerInk(Look look)
{
    switch (look) {
    case Look::Over:
        return QColor(0xE0, 0x78, 0x00);
    case Look::Click:
        return QColor(0xB0, 0x30, 0x20);
    default:
        return QColor(0x28, 0x5A, 0xB4);
    }
}

// A rounded button with a top-lit gradient; pressed buttons are darker and
// their face moves down by a pixel.
void DrawButtonFace(QPainter& p, const QRectF& r, const QColor& base, Look look, double radius)
{
    QColor top = base.lighter(look == Look::Over ? 150 : 130);
    QColor bottom = look == Look::Over ? base.lighter(110) : base;
    if (look == Look::Click) {
        top = base;
        bottom = base.darker(130);
    }
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, top);
    g.setColorAt(1, bottom);
    p.setPen(QPen(base.darker(150), 1));
    p.setBrush(g);
    p.drawRoundedRect(r, radius, radius);
}

QImage LabelButton(int w, int h, const QColor& ground, const QColor& base, const QString& label, Look look)
{
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(ground);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    const double shift = look == Look::Click ? 1 : 0;
    const QRectF face = QRectF(1.5, 1.5, w - 3, h - 3).translated(shift, shift);
    DrawButtonFace(p, face, base, look, h / 4.0);
    p.setFont(Font(CaptionFont(), int(h * 0.48), true));
    p.setPen(Qt::white);
    p.drawText(face, Qt::AlignCenter, label);
    return img;
}

QImage BigSpeakerButton(Look look)
{
    const int w = 64, h = 56;
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(kAnswerArea);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const double shift = look == Look::Click ? 1 : 0;
    const QRectF face = QRectF(2, 2, w - 4, h - 4).translated(shift, shift);
    DrawButtonFace(p, face, QColor(0xF4, 0xF8, 0xFF).darker(look == Look::Click ? 115 : 105), look, 12);
    DrawSpeaker(p, face.adjusted(14, 10, -12, -10), SpeakerInk(look));
    return img;
}

QImage Tick()
{
    QImage img = Transparent(22, 22);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::black, 3.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    QPainterPath path;
    path.moveTo(3, 12);
    path.lineTo(9, 18);
    path.lineTo(19, 4);
    p.drawPath(path);
    return img;
}

QImage Cross()
{
    QImage img = Transparent(22, 22);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::black, 3.5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(4, 4), QPointF(18, 18));
    p.drawLine(QPointF(18, 4), QPointF(4, 18));
    return img;
}

QImage Caption(const QString& text)
{
    const QFont f = Font(CaptionFont(), 18, true);
    const QFontMetricsF fm(f);
    const int h = 28;
    QImage img = Transparent(int(std::ceil(fm.horizontalAdvance(text))) + 8, h);
    QPainter p(&img);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setFont(f);
    p.setPen(Qt::black);
    p.drawText(QPointF(4, (h - (fm.ascent() + fm.descent())) / 2 + fm.ascent()), text);
    return img;
}

QImage SmallSpeaker(Look look)
{
    QImage img = Transparent(24, 22);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const double shift = look == Look::Click ? 1 : 0;
    DrawSpeaker(p, QRectF(2 + shift, 2 + shift, 19, 18), Qt::black);
    return img;
}

bool SaveJpg(const QImage& img, const QString& path, QString* error)
{
    if (!img.save(path, "JPG", 92)) {
        *error = QStringLiteral("cannot write %1 (is the Qt JPEG plugin installed?)").arg(path);
        return false;
    }
    return true;
}

} // namespace

QString CaptionFont() { return QStringLiteral("Noto Sans CJK TC"); }

bool WritePageIcons(const QString& picDir, QString* error)
{
    if (!QDir().mkpath(picDir)) {
        *error = QStringLiteral("cannot create %1").arg(picDir);
        return false;
    }
    if (QFontInfo(Font(CaptionFont(), 18)).family().compare(CaptionFont(), Qt::CaseInsensitive) != 0) {
        *error = QStringLiteral("font \"%1\" is not installed (fonts-noto-cjk)").arg(CaptionFont());
        return false;
    }
    const auto path = [&](const QString& name) { return QDir(picDir).filePath(name); };
    for (const auto& [look, suffix] : kLooks) {
        const QString s = QString::fromLatin1(suffix);
        if (!WriteInkGif(SmallSpeaker(look), SpeakerInk(look), path(QStringLiteral("speaker_s_%1.gif").arg(s)), error)
            || !SaveJpg(BigSpeakerButton(look), path(QStringLiteral("speaker_b_%1.jpg").arg(s)), error)
            || !SaveJpg(LabelButton(96, 36, kAnswerArea, QColor(0x2E, 0x7D, 0x32), QStringLiteral("確定"), look),
                        path(QStringLiteral("yes_%1.jpg").arg(s)), error)
            || !SaveJpg(LabelButton(96, 36, kAnswerArea, QColor(0x1F, 0x5F, 0xB0), QStringLiteral("下一題"), look),
                        path(QStringLiteral("next_%1.jpg").arg(s)), error)
            || !SaveJpg(LabelButton(64, 30, Qt::white, QColor(0xE0, 0x80, 0x10), QStringLiteral("提示"), look),
                        path(QStringLiteral("hint_%1.jpg").arg(s)), error))
            return false;
    }
    const QColor captionInk(0x20, 0x40, 0x80);
    return WriteInkGif(Tick(), QColor(0x1E, 0x9E, 0x3A), path(QStringLiteral("ans_ok.gif")), error)
           && WriteInkGif(Cross(), QColor(0xD0, 0x20, 0x20), path(QStringLiteral("ans_err.gif")), error)
           && WriteInkGif(Caption(QStringLiteral("提示一字母")), captionInk, path(QStringLiteral("ex4_cap1.gif")), error)
           && WriteInkGif(Caption(QStringLiteral("重音節母音")), captionInk, path(QStringLiteral("ex4_cap2.gif")), error)
           && WriteInkGif(Caption(QStringLiteral("完整音標")), captionInk, path(QStringLiteral("ex4_cap3.gif")), error);
}
