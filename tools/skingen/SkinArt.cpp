#include "SkinArt.h"

#include <QFontDatabase>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <cmath>

// The program's look: a sky-blue header with a soft wave, warm cream
// bodies, white panels behind every page view, orange for what is chosen,
// round friendly buttons. Window silhouettes are drawn without
// anti-aliasing against the see-through magenta, so no pink fringe shows.

namespace {
const QColor kKey(255, 0, 255);
const QColor kSky(0x52, 0xB0, 0xEC);
const QColor kSkyDeep(0x2E, 0x86, 0xCF);
const QColor kBorder(0x27, 0x6F, 0xAE);
const QColor kCream(0xFD, 0xF6, 0xEC);
const QColor kCard(0xFF, 0xFC, 0xF7);
const QColor kCardLine(0xF0, 0xE0, 0xC8);
const QColor kPanelLine(0xD6, 0xE2, 0xEC);
const QColor kOrange(0xFF, 0x99, 0x33);
const QColor kOrangeSoft(0xFF, 0xCA, 0x95);
const QColor kTeal(0x00, 0x40, 0x40);
const QColor kInk(0x2B, 0x3A, 0x4A);
const QColor kMint(0x3D, 0xBB, 0x8C);
const QColor kCoral(0xF0, 0x62, 0x5B);

QFont cjk(int pixels, bool bold = false)
{
    QFont f(QStringLiteral("Noto Sans CJK TC"));
    f.setPixelSize(pixels);
    f.setBold(bold);
    f.setHintingPreference(QFont::PreferNoHinting);
    return f;
}

// Phonetic symbols are not in the CJK font.
QFont latin(int pixels, bool bold = false)
{
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(pixels);
    f.setBold(bold);
    return f;
}

QImage keyedCanvas(int w, int h)
{
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(kKey);
    return img;
}

QImage clearCanvas(int w, int h)
{
    QImage img(w, h, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    return img;
}

QPainterPath rounded(const QRectF& r, qreal radius)
{
    QPainterPath p;
    p.addRoundedRect(r, radius, radius);
    return p;
}

void text(QPainter& p, const QRectF& r, int flags, const QString& s, const QFont& f, const QColor& c)
{
    p.setFont(f);
    p.setPen(c);
    p.drawText(r, flags, s);
}

// The window's outline: a crisp rounded body with a border ring; everything
// drawn afterwards stays inside it.
void windowBody(QPainter& p, const QSize& size, qreal radius)
{
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(Qt::NoPen);
    const QPainterPath outer = rounded(QRectF(0, 0, size.width(), size.height()), radius);
    p.fillPath(outer, kBorder);
    const QPainterPath inner = rounded(QRectF(3, 3, size.width() - 6, size.height() - 6), radius - 3);
    p.fillPath(inner, kCream);
    p.setClipPath(inner);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setRenderHint(QPainter::TextAntialiasing, true);
}

// Sky band across the top with a gentle wave at its lower edge and a few
// floating letters and bubbles.
void header(QPainter& p, int width, int bottom, int waveDepth)
{
    QPainterPath band;
    band.moveTo(0, 0);
    band.lineTo(width, 0);
    band.lineTo(width, bottom - waveDepth);
    const int steps = 48;
    for (int i = steps; i >= 0; --i) {
        const qreal x = width * i / qreal(steps);
        const qreal y = bottom - waveDepth / 2.0 + waveDepth / 2.0 * std::sin(x / width * 2.6 * M_PI + 0.6);
        band.lineTo(x, y);
    }
    band.closeSubpath();
    QLinearGradient g(0, 0, 0, bottom);
    g.setColorAt(0, kSky);
    g.setColorAt(1, kSkyDeep);
    p.fillPath(band, g);

    p.save();
    p.setClipPath(band, Qt::IntersectClip);
    p.setPen(Qt::NoPen);
    const struct {
        qreal x, y, r;
    } bubbles[] = {{0.58, 0.20, 26}, {0.66, 0.75, 14}, {0.77, 0.30, 38}, {0.86, 0.85, 18}, {0.49, 0.85, 10}, {0.93, 0.15, 12}};
    for (const auto& b : bubbles) {
        p.setBrush(QColor(255, 255, 255, 34));
        p.drawEllipse(QPointF(width * b.x, bottom * b.y), b.r, b.r);
    }
    const struct {
        qreal x, y;
        int size;
        const char* s;
    } letters[] = {{0.50, 0.55, 26, "a"}, {0.57, 0.32, 20, "e"}, {0.65, 0.62, 30, "i"}, {0.73, 0.38, 22, "o"}, {0.81, 0.62, 26, "u"}};
    for (const auto& l : letters)
        text(p, QRectF(width * l.x - 20, bottom * l.y - 20, 40, 40), Qt::AlignCenter, QString::fromLatin1(l.s),
             latin(l.size, true), QColor(255, 255, 255, 70));
    p.restore();
}

// The program's mark: a rounded tile with a speech bubble holding "Aa".
void logo(QPainter& p, const QRectF& r)
{
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 235));
    p.drawRoundedRect(r, r.width() * 0.26, r.width() * 0.26);
    const QRectF bubble = r.adjusted(r.width() * 0.16, r.height() * 0.16, -r.width() * 0.16, -r.height() * 0.28);
    QPainterPath speech = rounded(bubble, bubble.height() * 0.35);
    QPolygonF tail;
    tail << QPointF(bubble.left() + bubble.width() * 0.22, bubble.bottom() - 1)
         << QPointF(bubble.left() + bubble.width() * 0.18, bubble.bottom() + r.height() * 0.16)
         << QPointF(bubble.left() + bubble.width() * 0.45, bubble.bottom() - 1);
    QPainterPath tailPath;
    tailPath.addPolygon(tail);
    speech = speech.united(tailPath);
    p.setBrush(kOrange);
    p.drawPath(speech);
    text(p, bubble, Qt::AlignCenter, QStringLiteral("Aa"), latin(int(bubble.height() * 0.62), true), Qt::white);
    p.restore();
}

// A white panel behind a page view, with a soft shadow below it.
void panel(QPainter& p, const QRectF& r, qreal radius = 14)
{
    p.save();
    p.setPen(Qt::NoPen);
    for (int i = 4; i >= 1; --i) {
        p.setBrush(QColor(0x8A, 0x6A, 0x40, 10));
        p.drawRoundedRect(r.translated(0, i).adjusted(-i / 2.0, 0, i / 2.0, i / 2.0), radius + i, radius + i);
    }
    p.setBrush(Qt::white);
    p.setPen(QPen(kPanelLine, 1.2));
    p.drawRoundedRect(r, radius, radius);
    p.restore();
}

// A caption above a panel: an orange dot and bold text.
void caption(QPainter& p, const QPointF& at, const QString& s, int pixels = 17)
{
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(kOrange);
    const qreal r = pixels * 0.32;
    p.drawEllipse(QPointF(at.x() + r, at.y() + pixels * 0.72), r, r);
    text(p, QRectF(at.x() + 2 * r + 7, at.y(), 900, pixels * 1.5), Qt::AlignLeft | Qt::AlignVCenter, s, cjk(pixels, true), kTeal);
    p.restore();
}

void cardArea(QPainter& p, const QRectF& r)
{
    p.save();
    p.setPen(QPen(kCardLine, 1.5));
    p.setBrush(kCard);
    p.drawRoundedRect(r, 22, 22);
    // A quiet dot pattern, so large calm areas are not flat.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xF2, 0xE4, 0xCE));
    for (qreal y = r.top() + 18; y < r.bottom() - 10; y += 22)
        for (qreal x = r.left() + 18 + (int((y - r.top()) / 22) % 2) * 11; x < r.right() - 10; x += 22)
            p.drawEllipse(QPointF(x, y), 1.1, 1.1);
    p.restore();
}

// ---- main window ---------------------------------------------------------

void desk(QPainter& p, const QRectF& r, bool openUnderRightTab)
{
    // The lists' panel; the tab strip above it always highlights its right
    // tab, which flows into the panel, so the top edge stays open there.
    p.save();
    p.setPen(Qt::NoPen);
    for (int i = 4; i >= 1; --i) {
        p.setBrush(QColor(0x8A, 0x6A, 0x40, 10));
        p.drawRoundedRect(r.translated(0, i), 14 + i, 14 + i);
    }
    QPainterPath body;
    body.addRoundedRect(r, 14, 14);
    p.setBrush(Qt::white);
    p.drawPath(body);
    p.setPen(QPen(kPanelLine, 1.2));
    p.setBrush(Qt::NoBrush);
    if (openUnderRightTab) {
        QPainterPath outline;
        outline.moveTo(r.left() + 14, r.top());
        outline.lineTo(r.left() + 14, r.top());
        outline.quadTo(r.left(), r.top(), r.left(), r.top() + 14);
        outline.lineTo(r.left(), r.bottom() - 14);
        outline.quadTo(r.left(), r.bottom(), r.left() + 14, r.bottom());
        outline.lineTo(r.right() - 14, r.bottom());
        outline.quadTo(r.right(), r.bottom(), r.right(), r.bottom() - 14);
        outline.lineTo(r.right(), r.top());
        p.drawPath(outline);
        // Closed under the left tab (strip x 8 .. 107) and the gap after it.
        p.drawLine(QPointF(r.left() + 14, r.top()), QPointF(r.left() + 112.6, r.top()));
    } else {
        p.drawPath(body);
    }
    p.restore();
}

void listWells(QPainter& p, const QPointF& deskTopLeft)
{
    // Soft wells around the two list views (window 88/200, 322; 87 x 239).
    p.save();
    p.setPen(QPen(QColor(0xE3, 0xEC, 0xF4), 1.0));
    p.setBrush(QColor(0xF5, 0xF9, 0xFC));
    const QPointF o = deskTopLeft;
    p.drawRoundedRect(QRectF(o.x() + 24, o.y() + 46, 95, 247), 8, 8);
    p.drawRoundedRect(QRectF(o.x() + 136, o.y() + 46, 95, 247), 8, 8);
    p.restore();
}

QImage mainBackground()
{
    QImage img = keyedCanvas(1004, 724);
    QPainter p(&img);
    windowBody(p, img.size(), 26);
    header(p, 1004, 126, 16);
    logo(p, QRectF(36, 22, 62, 62));
    text(p, QRectF(112, 16, 400, 56), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Varnelo"), latin(44, true), Qt::white);
    text(p, QRectF(114, 68, 520, 30), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("英語自然發音 · KK 音標學習"), cjk(19), QColor(255, 255, 255, 235));

    cardArea(p, QRectF(28, 132, 948, 570));

    // Shelf under the six menu buttons (636 .. 954, 104, 48 x 48).
    p.setPen(Qt::NoPen);
    for (int i = 4; i >= 1; --i) {
        p.setBrush(QColor(0x20, 0x50, 0x80, 14));
        p.drawRoundedRect(QRectF(622, 96 + i, 346, 64), 32, 32);
    }
    p.setBrush(Qt::white);
    p.setPen(QPen(kPanelLine, 1.2));
    p.drawRoundedRect(QRectF(622, 96, 346, 64), 32, 32);

    // Left column: type button slot, tab strip and the lists' desk.
    desk(p, QRectF(60, 272, 253, 386), true);
    listWells(p, QPointF(60, 272));

    // Right column: rule page and word table.
    caption(p, QPointF(358, 152), QStringLiteral("發音規則"));
    panel(p, QRectF(356, 184, 575, 157));
    caption(p, QPointF(358, 352), QStringLiteral("例字"));
    panel(p, QRectF(356, 384, 575, 271));
    return img;
}

QImage deskPicture()
{
    QImage img = clearCanvas(253, 386);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    desk(p, QRectF(0.5, 0.5, 252, 381), true);
    listWells(p, QPointF(0, 0));
    return img;
}

// Round menu button with a pictogram; state 1 lighter with a ring, 2 pressed.
QImage menuButton(int index, int state)
{
    static const QColor colours[6] = {QColor(0xE3, 0x5D, 0x6A), QColor(0xFF, 0x8A, 0x5B), QColor(0xF2, 0xA9, 0x2E),
                                      QColor(0x3D, 0xB8, 0x94), QColor(0x4F, 0x9F, 0xE0), QColor(0x93, 0x78, 0xDE)};
    QImage img = clearCanvas(48, 48);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QColor c = colours[index];
    if (state == 1)
        c = c.lighter(112);
    if (state == 2)
        c = c.darker(118);
    const qreal dy = state == 2 ? 1 : 0;
    const QPointF centre(24, 24 + dy);
    p.setPen(Qt::NoPen);
    if (state != 2) {
        p.setBrush(QColor(0, 0, 0, 30));
        p.drawEllipse(QPointF(24, 25.5), 21, 21);
    }
    QRadialGradient g(centre - QPointF(6, 8), 30);
    g.setColorAt(0, c.lighter(118));
    g.setColorAt(1, c);
    p.setBrush(g);
    p.drawEllipse(centre, 21, 21);
    if (state == 1) {
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(QColor(255, 255, 255, 220), 2));
        p.drawEllipse(centre, 19, 19);
    }

    p.setPen(QPen(Qt::white, 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    const qreal x = centre.x(), y = centre.y();
    switch (index) {
    case 0: {  // leave: a power sign
        p.drawArc(QRectF(x - 10, y - 9, 20, 20), 120 * 16, 300 * 16);
        p.drawLine(QPointF(x, y - 12), QPointF(x, y - 1));
        break;
    }
    case 1: {  // read along with phonics: a speech bubble with "ab"
        QPainterPath b = rounded(QRectF(x - 13, y - 11, 26, 18), 7);
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::white);
        p.drawPath(b);
        QPolygonF tail;
        tail << QPointF(x - 6, y + 6) << QPointF(x - 9, y + 12) << QPointF(x + 1, y + 6);
        p.drawPolygon(tail);
        text(p, QRectF(x - 13, y - 12, 26, 19), Qt::AlignCenter, QStringLiteral("ab"), latin(14, true), c.darker(110));
        break;
    }
    case 2: {  // read along with words: a word card
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::white);
        p.drawRoundedRect(QRectF(x - 14, y - 10, 28, 20), 4, 4);
        text(p, QRectF(x - 14, y - 10, 28, 20), Qt::AlignCenter, QStringLiteral("cat"), latin(12, true), c.darker(110));
        break;
    }
    case 3:  // recognise transcriptions
        text(p, QRectF(x - 18, y - 15, 36, 30), Qt::AlignCenter, QStringLiteral("[æ]"), latin(17, true), Qt::white);
        break;
    case 4: {  // listen and spell: headphones
        p.drawArc(QRectF(x - 11, y - 12, 22, 22), 0, 180 * 16);
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::white);
        p.drawRoundedRect(QRectF(x - 13, y - 2, 7, 12), 3, 3);
        p.drawRoundedRect(QRectF(x + 6, y - 2, 7, 12), 3, 3);
        break;
    }
    case 5:  // manual
        text(p, QRectF(x - 16, y - 16, 32, 32), Qt::AlignCenter, QStringLiteral("?"), latin(26, true), Qt::white);
        break;
    }
    return img;
}

// Browse by letter set (mode 0) or by sound (mode 1): both choices shown,
// the current one filled.
QImage typeButton(int mode, int state)
{
    QImage img = clearCanvas(204, 61);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal dy = state == 2 ? 1 : 0;
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x8A, 0x6A, 0x40, 26));
    p.drawRoundedRect(QRectF(2, 4, 200, 56), 18, 18);
    p.setBrush(state == 1 ? QColor(0xF4, 0xFA, 0xFF) : Qt::white);
    p.setPen(QPen(state == 1 ? kSky : kPanelLine, 1.5));
    p.drawRoundedRect(QRectF(1.5, 1.5 + dy, 200, 55), 18, 18);
    text(p, QRectF(0, 3 + dy, 204, 16), Qt::AlignCenter, QStringLiteral("瀏覽方式"), cjk(11), QColor(0x7A, 0x8A, 0x99));
    const QRectF seg[2] = {QRectF(9, 20 + dy, 92, 31), QRectF(103, 20 + dy, 92, 31)};
    const QString labels[2] = {QStringLiteral("依字母"), QStringLiteral("依發音")};
    for (int i = 0; i < 2; ++i) {
        const bool on = i == mode;
        QColor fill = on ? kOrange : QColor(0xF1, 0xF4, 0xF7);
        if (on && state == 1)
            fill = fill.lighter(108);
        if (on && state == 2)
            fill = fill.darker(112);
        p.setPen(Qt::NoPen);
        p.setBrush(fill);
        p.drawRoundedRect(seg[i], 14, 14);
        text(p, seg[i], Qt::AlignCenter, labels[i], cjk(16, on), on ? Qt::white : QColor(0x8A, 0x96, 0xA3));
    }
    return img;
}

// Tab strip: the other sound type on the left, the current one on the
// right, highlighted and open towards the desk below.
QImage tabStrip(int soundType)
{
    QImage img = clearCanvas(253, 46);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    auto tabPath = [](const QRectF& r) {
        QPainterPath path;
        path.moveTo(r.left(), r.bottom() + 1);
        path.lineTo(r.left(), r.top() + 11);
        path.quadTo(r.left(), r.top(), r.left() + 11, r.top());
        path.lineTo(r.right() - 11, r.top());
        path.quadTo(r.right(), r.top(), r.right(), r.top() + 11);
        path.lineTo(r.right(), r.bottom() + 1);
        return path;
    };
    const QRectF left(8, 12, 99, 34);
    const QRectF right(112, 2, 133, 44);
    // Inactive tab.
    p.setPen(QPen(kPanelLine, 1.2));
    p.setBrush(QColor(0xE6, 0xEF, 0xF7));
    p.drawPath(tabPath(left));
    // Current tab: white like the desk, with an orange top accent.
    p.setBrush(Qt::white);
    p.drawPath(tabPath(right));
    p.setPen(Qt::NoPen);
    p.setBrush(kOrange);
    p.drawRoundedRect(QRectF(right.left() + 14, right.top() + 1, right.width() - 28, 4), 2, 2);
    p.fillRect(QRectF(right.left() + 0.7, 44, right.width() - 1.4, 2), Qt::white);

    const QColor dim(0x6E, 0x80, 0x92);
    if (soundType == 0) {
        text(p, left, Qt::AlignCenter, QStringLiteral("子音"), cjk(16, true), dim);
        text(p, QRectF(right.left(), right.top() + 6, 70, 36), Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("母音"),
             cjk(19, true), kTeal);
        text(p, QRectF(right.left() + 74, right.top() + 9, 60, 34), Qt::AlignLeft | Qt::AlignVCenter,
             QStringLiteral("重音節中"), cjk(11), QColor(0xD9, 0x73, 0x1A));
    } else {
        text(p, QRectF(left.left(), left.top() + 1, left.width(), 19), Qt::AlignHCenter | Qt::AlignBottom, QStringLiteral("母音"),
             cjk(15, true), dim);
        text(p, QRectF(left.left(), left.top() + 19, left.width(), 14), Qt::AlignHCenter | Qt::AlignTop,
             QStringLiteral("重音節中"), cjk(10), dim);
        text(p, QRectF(right.left(), right.top() + 6, right.width(), 36), Qt::AlignCenter, QStringLiteral("子音"), cjk(19, true), kTeal);
    }
    return img;
}

// Column headings over the two lists for the current browsing mode.
QImage tabCaption(int mode)
{
    QImage img = clearCanvas(192, 27);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xEA, 0xF4, 0xFC));
    p.drawRoundedRect(QRectF(0.5, 0.5, 191, 26), 13, 13);
    p.setPen(QPen(QColor(0xC5, 0xDC, 0xEE), 1));
    p.drawLine(QPointF(96, 6), QPointF(96, 21));
    const QString letters = QStringLiteral("字母組合");
    const QString sounds = QStringLiteral("發音");
    text(p, QRectF(0, 0, 96, 27), Qt::AlignCenter, mode == 0 ? letters : sounds, cjk(13, true), kTeal);
    text(p, QRectF(96, 0, 96, 27), Qt::AlignCenter, mode == 0 ? sounds : letters, cjk(13, true), kTeal);
    return img;
}

void speakerIcon(QPainter& p, const QPointF& c, qreal s, const QColor& colour)
{
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    QPolygonF body;
    body << QPointF(c.x() - s, c.y() - s * 0.4) << QPointF(c.x() - s * 0.45, c.y() - s * 0.4) << QPointF(c.x() + s * 0.15, c.y() - s)
         << QPointF(c.x() + s * 0.15, c.y() + s) << QPointF(c.x() - s * 0.45, c.y() + s * 0.4) << QPointF(c.x() - s, c.y() + s * 0.4);
    p.drawPolygon(body);
    p.setPen(QPen(colour, s * 0.2, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(c.x() - s * 0.35, c.y() - s * 0.6, s * 1.2, s * 1.2), -50 * 16, 100 * 16);
    p.drawArc(QRectF(c.x() - s * 0.65, c.y() - s * 1.0, s * 2.0, s * 2.0), -50 * 16, 100 * 16);
    p.restore();
}

QImage soundButton(int state)
{
    QImage img = clearCanvas(178, 60);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal dy = state == 2 ? 2 : 0;
    QColor c = kMint;
    if (state == 1)
        c = c.lighter(110);
    if (state == 2)
        c = c.darker(112);
    p.setPen(Qt::NoPen);
    if (state != 2) {
        p.setBrush(QColor(0x1E, 0x6E, 0x50, 50));
        p.drawRoundedRect(QRectF(4, 8, 170, 50), 25, 25);
    }
    QLinearGradient g(0, 4 + dy, 0, 54 + dy);
    g.setColorAt(0, c.lighter(112));
    g.setColorAt(1, c);
    p.setBrush(g);
    p.drawRoundedRect(QRectF(4, 4 + dy, 170, 50), 25, 25);
    p.setBrush(QColor(255, 255, 255, 60));
    p.drawEllipse(QPointF(32, 29 + dy), 19, 19);
    speakerIcon(p, QPointF(31, 29 + dy), 11, Qt::white);
    text(p, QRectF(56, 4 + dy, 112, 50), Qt::AlignCenter, QStringLiteral("播放發音"), cjk(19, true), Qt::white);
    return img;
}

// ---- exercise windows ----------------------------------------------------

struct ExamLayout {
    const char* title;
    QRect select;
    QRect page;
    QStringList instruction;
};

QImage examBackground(const ExamLayout& e)
{
    QImage img = keyedCanvas(1004, 724);
    QPainter p(&img);
    windowBody(p, img.size(), 26);
    header(p, 1004, 84, 12);
    logo(p, QRectF(30, 14, 50, 50));
    text(p, QRectF(92, 10, 700, 56), Qt::AlignLeft | Qt::AlignVCenter, QString::fromUtf8(e.title), cjk(30, true), Qt::white);

    const QRectF selectPanel = QRectF(e.select).adjusted(-10, -10, 10, 10);
    const QRectF pagePanel = QRectF(e.page).adjusted(-10, -10, 10, 10);
    caption(p, QPointF(selectPanel.left() + 2, selectPanel.top() - 33), QStringLiteral("請選擇以下練習主題"));
    panel(p, selectPanel);
    if (e.instruction.size() == 1) {
        caption(p, QPointF(pagePanel.left() + 2, pagePanel.top() - 33), e.instruction.first());
    } else {
        // Two lines: a note card above the page.
        const QRectF note(pagePanel.left(), pagePanel.top() - 80, pagePanel.width(), 66);
        p.setPen(QPen(QColor(0xF6, 0xD2, 0xA6), 1.2));
        p.setBrush(QColor(0xFF, 0xF1, 0xE0));
        p.drawRoundedRect(note, 14, 14);
        speakerIcon(p, QPointF(note.left() + 24, note.center().y()), 10, kOrange);
        text(p, QRectF(note.left() + 44, note.top() + 6, note.width() - 52, 27), Qt::AlignLeft | Qt::AlignVCenter,
             e.instruction[0], cjk(16, true), kTeal);
        text(p, QRectF(note.left() + 44, note.top() + 33, note.width() - 52, 27), Qt::AlignLeft | Qt::AlignVCenter,
             e.instruction[1], cjk(15), kTeal);
    }
    panel(p, pagePanel);
    return img;
}

// ---- small windows -------------------------------------------------------

QImage messageBackground()
{
    QImage img = keyedCanvas(399, 167);
    QPainter p(&img);
    windowBody(p, img.size(), 10);
    p.fillRect(QRectF(0, 0, 399, 167), Qt::white);
    QLinearGradient g(0, 0, 0, 30);
    g.setColorAt(0, kSky);
    g.setColorAt(1, kSkyDeep);
    p.fillRect(QRectF(0, 0, 399, 30), g);
    text(p, QRectF(14, 0, 200, 30), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Varnelo"), latin(14, true), Qt::white);
    // The caption's tag (label at 244, 38; 141 x 17).
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xE2, 0xF3, 0xF0));
    p.drawRoundedRect(QRectF(224, 35, 160, 23), 11.5, 11.5);
    p.setBrush(kOrange);
    p.drawEllipse(QPointF(235, 46.5), 3, 3);
    // A thin line under the header strip.
    p.fillRect(QRectF(0, 30, 399, 2), kOrangeSoft);
    return img;
}

QImage messageIcon(bool question)
{
    QImage img = clearCanvas(31, 30);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::white, 1.5));
    QRadialGradient g(QPointF(12, 10), 18);
    g.setColorAt(0, QColor(0xFF, 0xB6, 0x5C));
    g.setColorAt(1, QColor(0xF2, 0x85, 0x1C));
    p.setBrush(g);
    p.drawEllipse(QPointF(15.5, 15), 13.5, 13.5);
    text(p, QRectF(0, 0, 31, 30), Qt::AlignCenter, question ? QStringLiteral("?") : QStringLiteral("!"), latin(19, true), Qt::white);
    return img;
}

QImage pillButton(const QSize& size, const QString& label, bool primary, int state)
{
    QImage img = clearCanvas(size.width(), size.height());
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal dy = state == 2 ? 1 : 0;
    const QRectF r(1, 1 + dy, size.width() - 2, size.height() - 3);
    const qreal radius = r.height() / 2;
    if (state != 2) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0, 0, 0, 28));
        p.drawRoundedRect(r.translated(0, 1.5), radius, radius);
    }
    QColor fill, line, ink;
    if (primary) {
        fill = state == 1 ? kMint.lighter(110) : state == 2 ? kMint.darker(115) : kMint;
        line = fill.darker(115);
        ink = Qt::white;
    } else {
        fill = state == 1 ? QColor(0xEE, 0xF6, 0xFD) : state == 2 ? QColor(0xDD, 0xE5, 0xEC) : Qt::white;
        line = state == 1 ? kSky : QColor(0xC4, 0xD0, 0xDB);
        ink = kInk;
    }
    QLinearGradient g(0, r.top(), 0, r.bottom());
    g.setColorAt(0, fill.lighter(106));
    g.setColorAt(1, fill);
    p.setBrush(g);
    p.setPen(QPen(line, 1));
    p.drawRoundedRect(r, radius, radius);
    text(p, r, Qt::AlignCenter, label, cjk(15, true), ink);
    return img;
}

QImage progressFrame()
{
    QImage img = clearCanvas(350, 15);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0xC4, 0xD0, 0xDB), 1));
    p.setBrush(QColor(0xF3, 0xF6, 0xF9));
    p.drawRoundedRect(QRectF(0.5, 0.5, 349, 14), 7, 7);
    return img;
}

QImage progressTrack()
{
    QImage img = clearCanvas(348, 13);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xE4, 0xEE, 0xF6));
    p.drawRoundedRect(QRectF(0, 0, 348, 13), 6.5, 6.5);
    return img;
}

QImage progressFill()
{
    QImage img = clearCanvas(348, 13);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient g(0, 0, 0, 13);
    g.setColorAt(0, kSky.lighter(115));
    g.setColorAt(1, kSkyDeep);
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawRoundedRect(QRectF(0, 0, 348, 13), 6.5, 6.5);
    return img;
}

QImage progressFlash()
{
    QImage img = clearCanvas(81, 13);
    QPainter p(&img);
    QLinearGradient g(0, 0, 81, 0);
    g.setColorAt(0, QColor(255, 153, 51, 0));
    g.setColorAt(0.5, QColor(255, 153, 51, 230));
    g.setColorAt(1, QColor(255, 153, 51, 0));
    p.fillRect(QRectF(0, 1, 81, 11), g);
    return img;
}

QImage splashBackground()
{
    QImage img = keyedCanvas(414, 304);
    QPainter p(&img);
    windowBody(p, img.size(), 22);
    QLinearGradient g(0, 0, 0, 304);
    g.setColorAt(0, kSky);
    g.setColorAt(0.55, QColor(0x8E, 0xCF, 0xF5));
    g.setColorAt(1, QColor(0xE8, 0xF5, 0xFD));
    p.fillRect(QRectF(0, 0, 414, 304), g);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 40));
    p.drawEllipse(QPointF(360, 40), 60, 60);
    p.drawEllipse(QPointF(40, 250), 46, 46);
    logo(p, QRectF(36, 30, 74, 74));
    text(p, QRectF(124, 28, 280, 54), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Varnelo"), latin(44, true), Qt::white);
    text(p, QRectF(126, 78, 280, 28), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("英語自然發音 · KK 音標學習"), cjk(16),
         Qt::white);
    // Behind 版本： and the version (labels at 118 and 166, 136; 17 high).
    p.setBrush(QColor(255, 255, 255, 215));
    p.drawRoundedRect(QRectF(106, 130, 202, 29), 14.5, 14.5);
    // Vowels in coloured bubbles.
    const QColor colours[5] = {QColor(0xFF, 0x8A, 0x5B), QColor(0xF2, 0xA9, 0x2E), QColor(0x3D, 0xB8, 0x94),
                               QColor(0x4F, 0x9F, 0xE0), QColor(0x93, 0x78, 0xDE)};
    const char* vowels[5] = {"a", "e", "i", "o", "u"};
    for (int i = 0; i < 5; ++i) {
        const QPointF c(87 + i * 60, 208 + (i % 2 ? 8 : -4));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0, 0, 0, 25));
        p.drawEllipse(c + QPointF(0, 2), 22, 22);
        p.setBrush(colours[i]);
        p.drawEllipse(c, 22, 22);
        text(p, QRectF(c.x() - 22, c.y() - 24, 44, 44), Qt::AlignCenter, QString::fromLatin1(vowels[i]), latin(26, true), Qt::white);
    }
    text(p, QRectF(0, 252, 414, 36), Qt::AlignCenter, QStringLiteral("跟著念，輕鬆學會自然發音"), cjk(16, true), kTeal);
    return img;
}

// The publisher window is not layered: a plain rectangle, no see-through colour.
QImage publisherBackground()
{
    QImage img(414, 304, QImage::Format_RGB32);
    img.fill(QColor(0x1F, 0x5F, 0x7A));
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient g(0, 0, 0, 24);
    g.setColorAt(0, kSky);
    g.setColorAt(1, kSkyDeep);
    p.fillRect(QRectF(0, 0, 414, 24), g);
    text(p, QRectF(10, 0, 300, 24), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("最新消息"), cjk(14, true), Qt::white);
    // Frame of the news view (6, 24; 399 x 225).
    p.fillRect(QRectF(5, 23, 401, 227), QColor(0x16, 0x4A, 0x60));
    p.fillRect(QRectF(6, 24, 399, 225), Qt::white);
    p.setPen(QPen(QColor(0x27, 0x6F, 0xAE), 2));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(1, 1, 412, 302));
    return img;
}

// Download window, 414 x 170. Suggested layout (pixels): caption on the
// strip at 16, 7; close button 380, 5, 26 x 26; message 20, 62, 374 x 22;
// progress frame 32, 100, 350 x 15; percentage 32, 122, 350 x 20.
QImage downloadBackground()
{
    QImage img = keyedCanvas(414, 170);
    QPainter p(&img);
    windowBody(p, img.size(), 16);
    p.fillRect(QRectF(0, 0, 414, 170), Qt::white);
    QLinearGradient g(0, 0, 0, 36);
    g.setColorAt(0, kSky);
    g.setColorAt(1, kSkyDeep);
    p.fillRect(QRectF(0, 0, 414, 36), g);
    p.fillRect(QRectF(0, 36, 414, 2), kOrangeSoft);
    // A cloud with a downward arrow, quiet in the corner.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xEA, 0xF4, 0xFC));
    p.drawEllipse(QPointF(360, 150), 26, 18);
    p.drawEllipse(QPointF(386, 156), 18, 14);
    p.drawEllipse(QPointF(338, 158), 16, 11);
    p.setPen(QPen(QColor(0xB6, 0xD6, 0xEF), 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawLine(QPointF(362, 140), QPointF(362, 160));
    p.drawLine(QPointF(355, 153), QPointF(362, 160));
    p.drawLine(QPointF(369, 153), QPointF(362, 160));
    return img;
}

QImage closeButton(int state)
{
    QImage img = clearCanvas(48, 48);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal dy = state == 2 ? 1 : 0;
    QColor c = kCoral;
    if (state == 1)
        c = c.lighter(110);
    if (state == 2)
        c = c.darker(115);
    p.setPen(Qt::NoPen);
    if (state != 2) {
        p.setBrush(QColor(0, 0, 0, 35));
        p.drawEllipse(QPointF(24, 25.5), 20, 20);
    }
    p.setBrush(c);
    p.setPen(QPen(Qt::white, state == 1 ? 3 : 2.2));
    p.drawEllipse(QPointF(24, 24 + dy), 19.5, 19.5);
    p.setPen(QPen(Qt::white, 4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(17, 17 + dy), QPointF(31, 31 + dy));
    p.drawLine(QPointF(31, 17 + dy), QPointF(17, 31 + dy));
    return img;
}

// Two-colour pointing hand, drawn cell by cell: the white hand is a set of
// rows, and every transparent cell touching it becomes the black outline
// (which also separates the fingers). The fingertip (hot spot) is at 8, 1.
QImage handCursor()
{
    struct Span {
        int y, x0, x1;
    };
    QList<Span> spans;
    for (int y = 1; y <= 9; ++y)
        spans.append({y, 8, 9});  // index finger
    for (int y = 6; y <= 9; ++y)
        spans.append({y, 11, 12});  // middle
    for (int y = 7; y <= 9; ++y)
        spans.append({y, 14, 15});  // ring
    for (int y = 8; y <= 9; ++y)
        spans.append({y, 17, 18});  // little
    for (int y = 10; y <= 18; ++y)
        spans.append({y, 8, 18});  // palm
    spans.append({19, 9, 18});
    spans.append({20, 10, 17});
    spans.append({11, 4, 5});  // thumb
    spans.append({12, 4, 7});
    spans.append({13, 5, 7});
    spans.append({14, 6, 7});
    spans.append({15, 7, 7});

    bool white[32][32] = {};
    for (const Span& sp : spans)
        for (int x = sp.x0; x <= sp.x1; ++x)
            white[sp.y][x] = true;
    QImage img = clearCanvas(32, 32);
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            if (white[y][x]) {
                img.setPixelColor(x, y, Qt::white);
                continue;
            }
            bool touches = false;
            for (int dy = -1; dy <= 1 && !touches; ++dy)
                for (int dx = -1; dx <= 1 && !touches; ++dx) {
                    const int nx = x + dx, ny = y + dy;
                    touches = nx >= 0 && ny >= 0 && nx < 32 && ny < 32 && white[ny][nx];
                }
            if (touches)
                img.setPixelColor(x, y, Qt::black);
        }
    }
    return img;
}

void add(QList<SkinArtItem>& list, const QString& name, std::function<QImage()> draw)
{
    list.append({name, std::move(draw)});
}
}

QList<SkinArtItem> AllSkinArt()
{
    QList<SkinArtItem> a;
    add(a, QStringLiteral("main/background"), mainBackground);
    add(a, QStringLiteral("main/desk"), deskPicture);
    for (int s = 0; s < 3; ++s) {
        for (int i = 0; i < 6; ++i)
            add(a, QStringLiteral("main/menu%1_%2").arg(i).arg(s), [i, s] { return menuButton(i, s); });
        for (int m = 0; m < 2; ++m)
            add(a, QStringLiteral("main/type%1_%2").arg(m).arg(s), [m, s] { return typeButton(m, s); });
        add(a, QStringLiteral("main/sound%1").arg(s), [s] { return soundButton(s); });
        add(a, QStringLiteral("exit/%1").arg(s), [s] { return closeButton(s); });
        add(a, QStringLiteral("message/icon%1").arg(s), [s] { return messageIcon(s == 2); });
        add(a, QStringLiteral("message/ok%1").arg(s), [s] { return pillButton({110, 28}, QStringLiteral("確定"), true, s); });
        add(a, QStringLiteral("message/cancel%1").arg(s), [s] { return pillButton({110, 28}, QStringLiteral("取消"), false, s); });
    }
    for (int t = 0; t < 2; ++t) {
        add(a, QStringLiteral("main/tab%1").arg(t), [t] { return tabStrip(t); });
        add(a, QStringLiteral("main/tabcaption%1").arg(t), [t] { return tabCaption(t); });
    }

    const ExamLayout exams[4] = {
        {"【拼音跟讀練習】", QRect(50, 138, 309, 551), QRect(396, 138, 571, 551), {QStringLiteral("請按下喇叭圖示，跟著念拼音")}},
        {"【例字跟讀練習】", QRect(52, 140, 307, 549), QRect(396, 138, 571, 551), {QStringLiteral("請按下喇叭圖示，跟著念例字")}},
        {"【音標認讀練習】", QRect(44, 148, 185, 537), QRect(256, 136, 711, 553),
         {QStringLiteral("請按下喇叭圖示，聽一聽，再找出正確的音標")}},
        {"【聽音拼字練習】", QRect(52, 126, 387, 567), QRect(502, 198, 433, 489),
         {QStringLiteral("請按下喇叭，聽一聽，再把單字拼寫出來。"), QStringLiteral("如果需要提示，請按下方三種提示按鍵中的任一個。")}},
    };
    for (int e = 0; e < 4; ++e) {
        const ExamLayout layout = exams[e];
        add(a, QStringLiteral("exam%1/background").arg(e + 1), [layout] { return examBackground(layout); });
    }

    add(a, QStringLiteral("message/background"), messageBackground);
    add(a, QStringLiteral("progress/frame"), progressFrame);
    add(a, QStringLiteral("progress/track"), progressTrack);
    add(a, QStringLiteral("progress/fill"), progressFill);
    add(a, QStringLiteral("progress/flash"), progressFlash);
    add(a, QStringLiteral("splash/background"), splashBackground);
    add(a, QStringLiteral("publisher/background"), publisherBackground);
    add(a, QStringLiteral("download/background"), downloadBackground);
    add(a, QStringLiteral("hand"), handCursor);
    return a;
}

bool SkinFontsAvailable(QString* missing)
{
    const QStringList families = QFontDatabase::families();
    for (const char* family : {"Noto Sans CJK TC", "DejaVu Sans"}) {
        if (!families.contains(QLatin1String(family))) {
            if (missing)
                *missing = QLatin1String(family);
            return false;
        }
    }
    return true;
}
