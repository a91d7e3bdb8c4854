#include "platform/surface.h"

#include <gtest/gtest.h>

#include "pixel_checks.h"

namespace {

using platform::BitBlt;
using platform::Pixel;
using platform::Rgb;
using platform::Surface;

constexpr Pixel Paper = Rgb(10, 20, 30);

// Every source pixel different, so a shifted or mirrored copy cannot pass.
Surface Numbered(int width, int height) {
    Surface s(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) s.Set(x, y, Rgb(x + 1, y + 1, 200));
    }
    return s;
}

TEST(BitBlt, CopiesAWholeSurfaceUnchanged) {
    const Surface src = Numbered(484, 300);
    Surface dst(484, 300, Paper);
    BitBlt(dst, 0, 0, src.Width(), src.Height(), src, 0, 0);
    EXPECT_TRUE(pixel_checks::SamePixels(dst, src));
}

TEST(BitBlt, LeavesOutWhatFallsOutsideEitherSurface) {
    const struct {
        int dx, dy, width, height, sx, sy;
    } cases[] = {
        {2, 1, 3, 2, 1, 1},      // wholly inside both
        {-2, 0, 5, 3, 0, 0},     // off the target's left edge
        {0, -1, 4, 4, 0, 0},     // off its top
        {5, 4, 6, 6, 0, 0},      // past its right and bottom
        {0, 0, 4, 3, -2, -1},    // reading above and left of the source
        {1, 1, 9, 9, 4, 3},      // reading past the source's far corner
        {-3, -3, 20, 20, -1, 2}, // clipped on every side at once
        {0, 0, 0, 5, 0, 0},      // empty rectangles
        {0, 0, 5, -1, 0, 0},
        {8, 0, 3, 3, 0, 0},      // wholly off the target
        {0, 0, 3, 3, 6, 0},      // wholly off the source
    };
    const Surface src = Numbered(6, 5);
    for (const auto& c : cases) {
        Surface dst(8, 6, Paper);
        BitBlt(dst, c.dx, c.dy, c.width, c.height, src, c.sx, c.sy);
        Surface expected(8, 6, Paper);
        for (int j = 0; j < c.height; ++j) {
            for (int i = 0; i < c.width; ++i) {
                if (src.Contains(c.sx + i, c.sy + j) && expected.Contains(c.dx + i, c.dy + j)) {
                    expected.Set(c.dx + i, c.dy + j, src.At(c.sx + i, c.sy + j));
                }
            }
        }
        EXPECT_TRUE(pixel_checks::SamePixels(dst, expected))
            << "dst " << c.dx << "," << c.dy << " size " << c.width << "x" << c.height << " src " << c.sx << ","
            << c.sy;
    }
}

}  // namespace
