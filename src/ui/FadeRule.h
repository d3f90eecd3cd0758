#pragma once
#include <QtGlobal>

// One tick of a window's fade timer, as a pure rule:
//   Alpha += AlphaStep; at or above AlphaTarget it stops there (fade-in over);
//   above 0 it is applied as the window's opacity; at 0 or below it is set to
//   0 and the window's end-of-fade-out action runs.
// A fade-in from 0 by 30 reaches 240 after 8 ticks and 255 after 9; by 20 it
// reaches 255 after 13; a fade-out by 20 from 255 ends on the 13th tick.
struct FadeTickResult {
    qint16 alpha = 0;
    bool timerOn = true;
    bool applyOpacity = false;  // set the window's opacity to alpha
    bool fadeInDone = false;
    bool fadeOutDone = false;
};

FadeTickResult FadeTick(qint16 alpha, qint16 alphaStep, qint16 alphaTarget);
