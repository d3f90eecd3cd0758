#include "SharedPictures.h"

#include "SkinPictures.h"

namespace {
const SharedPictures* g_holder = nullptr;

const SharedPictures& fallback()
{
    static const SharedPictures pictures = SharedPictures::FromSkin();
    return pictures;
}

const SharedPictures& current() { return g_holder ? *g_holder : fallback(); }
}

SharedPictures SharedPictures::FromSkin()
{
    SharedPictures p;
    p.imgHandCursor = SkinPicture(QStringLiteral("hand"));
    for (int i = 0; i < 3; ++i)
        p.imgExit[i] = SkinPicture(QStringLiteral("exit/%1").arg(i));
    return p;
}

void SetSharedPictures(const SharedPictures* holder) { g_holder = holder; }

QCursor HandCursor()
{
    const QPixmap& hand = current().imgHandCursor;
    if (hand.isNull())
        return QCursor(Qt::PointingHandCursor);
    // The fingertip of the drawn hand.
    return QCursor(hand, 8, 1);
}

QPixmap ExitPicture(int index)
{
    return current().imgExit[qBound(0, index, 2)];
}
