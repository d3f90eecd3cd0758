#include "ui/FadeRule.h"

#include <gtest/gtest.h>

namespace {
struct FadeRun {
    int ticks = 0;
    qint16 alpha = 0;
    bool fadeIn = false;
    bool fadeOut = false;
};

// Ticks until the timer goes off (or a bound), as the window's timer would.
FadeRun fade(qint16 alpha, qint16 step, qint16 target, int stopAtAlpha = -1)
{
    FadeRun r;
    r.alpha = alpha;
    while (r.ticks < 1000) {
        const FadeTickResult t = FadeTick(r.alpha, step, target);
        ++r.ticks;
        r.alpha = t.alpha;
        EXPECT_EQ(t.applyOpacity, t.alpha > 0);
        if (t.alpha == stopAtAlpha || !t.timerOn) {
            r.fadeIn = t.fadeInDone;
            r.fadeOut = t.fadeOutDone;
            break;
        }
    }
    return r;
}
}

TEST(FadeRule, TicksToTarget)
{
    struct Case {
        qint16 from, step, target;
        int ticks;
        qint16 alpha;
        bool fadeIn, fadeOut;
    };
    const Case cases[] = {
        {0, 30, 240, 8, 240, true, false},   // the message window
        {0, 30, 255, 9, 255, true, false},   // main and exercise windows: 270 is cut to 255
        {0, 20, 255, 13, 255, true, false},  // the splash
        {255, -20, 255, 13, 0, false, true}, // any fade-out from full opacity
        {240, -20, 240, 12, 0, false, true}, // the message window's fade-out
        {0, -20, 0, 1, 0, false, true},      // the download window: never faded in, gone at once
    };
    for (const Case& c : cases) {
        const FadeRun r = fade(c.from, c.step, c.target);
        EXPECT_EQ(r.ticks, c.ticks) << c.from << " by " << c.step;
        EXPECT_EQ(r.alpha, c.alpha);
        EXPECT_EQ(r.fadeIn, c.fadeIn);
        EXPECT_EQ(r.fadeOut, c.fadeOut);
    }
    // After 8 ticks by 30 the main window is at 240, not yet done.
    EXPECT_EQ(fade(0, 30, 255, 240).ticks, 8);
}

TEST(FadeRule, CloseDuringFadeIn)
{
    // Four ticks into a fade-in, the close button turns the step to -20:
    // the opacity falls from 120 and the window ends after six more ticks.
    qint16 alpha = 0;
    for (int i = 0; i < 4; ++i)
        alpha = FadeTick(alpha, 30, 255).alpha;
    ASSERT_EQ(alpha, 120);
    const FadeRun r = fade(alpha, -20, 255);
    EXPECT_EQ(r.ticks, 6);
    EXPECT_TRUE(r.fadeOut);
    EXPECT_FALSE(r.fadeIn);
}
