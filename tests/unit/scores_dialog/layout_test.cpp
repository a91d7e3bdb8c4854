#include <gtest/gtest.h>

#include "scores/frm_scores_layout.h"

namespace {

using scores_dialog::CentredEdge;
using scores_dialog::TwipsToPixels;

TEST(ScoreDialogLayout, TwipsBecomeTheNearestPixel) {
    struct Case {
        int twips;
        int pixels;
    } const cases[] = {
        {4605, 307}, {2925, 195}, {2550, 170},  // the window, and its view-layout height
        {302, 20},   {1425, 95},  {0, 0},       // a button's height (a fraction over), the picture's
        {7, 0},      {8, 1},      {-8, -1},     // either side of half a pixel
    };
    for (const Case& c : cases) EXPECT_EQ(TwipsToPixels(c.twips), c.pixels) << c.twips;
}

TEST(ScoreDialogLayout, CentringRoundsTheDifferenceThenHalvesTowardZero) {
    struct Case {
        double screen;
        double window;
        int edge;
    } const cases[] = {
        {12000, 4605, 3697},  // 800 pixels wide: an odd difference loses its half twip
        {9000, 2925, 3037},
        {4605, 4605, 0},
        {5.7, 0, 3},    // rounded before halving, not cut
        {5.4, 0, 2},
        {0, 5, -2},     // a window wider than the screen: toward zero, not down
        {0, 5.7, -3},
    };
    for (const Case& c : cases) EXPECT_EQ(CentredEdge(c.screen, c.window), c.edge) << c.screen << " " << c.window;
}

}  // namespace
