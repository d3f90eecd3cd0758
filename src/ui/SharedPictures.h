#pragma once
#include <QCursor>
#include <QPixmap>

// The pictures every window shares, held by the startup window for the
// program's lifetime: the hand pointer and the close button's three
// pictures (0 normal, 1 hover, 2 pressed).
struct SharedPictures {
    QPixmap imgHandCursor;
    QPixmap imgExit[3];

    // Filled from the skin art.
    static SharedPictures FromSkin();
};

// The startup window registers its pictures when it loads and withdraws
// them (nullptr) when it unloads. Without a holder (tests, or a window
// outliving the startup) the skin art serves directly.
void SetSharedPictures(const SharedPictures* holder);

// The hand pointer of every clickable skin element.
QCursor HandCursor();
// Close button picture 0, 1 or 2.
QPixmap ExitPicture(int index);
