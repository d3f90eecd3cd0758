#include "FadeRule.h"

FadeTickResult FadeTick(qint16 alpha, qint16 alphaStep, qint16 alphaTarget)
{
    FadeTickResult r;
    int next = int(alpha) + int(alphaStep);
    if (next >= alphaTarget) {
        next = alphaTarget;
        r.timerOn = false;
        r.fadeInDone = true;
    }
    if (next > 0) {
        r.applyOpacity = true;
    } else {
        next = 0;
        r.timerOn = false;
        r.fadeInDone = false;
        r.fadeOutDone = true;
    }
    r.alpha = qint16(next);
    return r;
}
