#include "SkinArt.h"

#include <QPainter>

namespace {
QImage plain(int w, int h, QColor fill, const QString& label)
{
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(fill);
    QPainter p(&img);
    QFont f(QStringLiteral("Noto Sans CJK TC"));
    f.setPixelSize(qMax(8, qMin(h / 3, 20)));
    p.setFont(f);
    p.drawText(img.rect(), Qt::AlignCenter, label);
    return img;
}

void add(QList<SkinArtItem>& list, const QString& name, int w, int h, QColor fill, const QString& label = {})
{
    list.append({name, [=] { return plain(w, h, fill, label); }});
}
}

QList<SkinArtItem> AllSkinArt()
{
    QList<SkinArtItem> a;
    add(a, QStringLiteral("main/background"), 1004, 724, QColor(0xF4, 0xF8, 0xFC));
    for (int e = 1; e <= 4; ++e)
        add(a, QStringLiteral("exam%1/background").arg(e), 1004, 724, QColor(0xF4, 0xF8, 0xFC));
    add(a, QStringLiteral("message/background"), 399, 167, QColor(0xFF, 0xF7, 0xEC));
    add(a, QStringLiteral("splash/background"), 414, 304, QColor(0xE8, 0xF4, 0xFF));
    add(a, QStringLiteral("publisher/background"), 414, 304, QColor(0xE8, 0xF4, 0xFF));
    add(a, QStringLiteral("download/background"), 414, 304, QColor(0xE8, 0xF4, 0xFF));
    add(a, QStringLiteral("hand"), 32, 32, Qt::white);
    for (int s = 0; s < 3; ++s) {
        add(a, QStringLiteral("exit/%1").arg(s), 48, 48, QColor(0xE0, 0x60 + 20 * s, 0x50), QStringLiteral("×"));
        add(a, QStringLiteral("message/icon%1").arg(s), 31, 30, QColor(0xFF, 0x99, 0x33), s == 2 ? QStringLiteral("?") : QStringLiteral("!"));
        add(a, QStringLiteral("message/ok%1").arg(s), 110, 28, QColor(0x5A + 20 * s, 0xA0, 0xE0), QStringLiteral("確定"));
        add(a, QStringLiteral("message/cancel%1").arg(s), 110, 28, QColor(0xC0 + 20 * s, 0xC0, 0xC0), QStringLiteral("取消"));
        add(a, QStringLiteral("main/sound%1").arg(s), 178, 60, QColor(0x5A + 20 * s, 0xC0, 0x90), QStringLiteral("發音"));
        add(a, QStringLiteral("download/start%1").arg(s), 110, 28, QColor(0x5A + 20 * s, 0xA0, 0xE0), QStringLiteral("開始下載"));
        add(a, QStringLiteral("download/ok%1").arg(s), 110, 28, QColor(0x5A + 20 * s, 0xA0, 0xE0), QStringLiteral("確定"));
        for (int i = 0; i < 6; ++i)
            add(a, QStringLiteral("main/menu%1_%2").arg(i).arg(s), 48, 48, QColor(0x70 + 20 * s, 0xB0, 0xE0), QString::number(i));
        for (int m = 0; m < 2; ++m)
            add(a, QStringLiteral("main/type%1_%2").arg(m).arg(s), 204, 61, QColor(0xF0, 0xB0 + 20 * s, 0x60), m ? QStringLiteral("依音標") : QStringLiteral("依字母"));
    }
    add(a, QStringLiteral("progress/frame"), 350, 15, QColor(0x90, 0x90, 0x90));
    add(a, QStringLiteral("progress/track"), 348, 13, QColor(0xEE, 0xEE, 0xEE));
    add(a, QStringLiteral("progress/flash"), 81, 13, QColor(0xFF, 0x99, 0x33));
    add(a, QStringLiteral("main/tab0"), 253, 46, QColor(0xFF, 0xE0, 0xB0), QStringLiteral("子音 | 母音 重音節中"));
    add(a, QStringLiteral("main/tab1"), 253, 46, QColor(0xFF, 0xE0, 0xB0), QStringLiteral("母音 | 子音"));
    add(a, QStringLiteral("main/tabcaption0"), 192, 27, Qt::white, QStringLiteral("字母 → 音標"));
    add(a, QStringLiteral("main/tabcaption1"), 192, 27, Qt::white, QStringLiteral("音標 → 字母"));
    add(a, QStringLiteral("main/desk"), 253, 386, Qt::white);
    return a;
}
