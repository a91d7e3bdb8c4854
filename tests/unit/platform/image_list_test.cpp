#include "platform/image_list.h"

#include <gtest/gtest.h>

#include <climits>
#include <vector>

#include "pixel_checks.h"
#include "platform/back_buffer.h"

namespace {

using platform::BackBuffer;
using platform::Black;
using platform::ImageList;
using platform::Pixel;
using platform::Rgb;

constexpr int CellW = 4;
constexpr int CellH = 3;
constexpr Pixel Background = Rgb(0, 0, 90);
// Near-black edges are real picture pixels, not holes.
constexpr Pixel Red1 = Rgb(1, 0, 0);
constexpr Pixel Red2 = Rgb(2, 0, 0);
constexpr Pixel Grey = Rgb(128, 128, 128);
constexpr Pixel Gold = Rgb(220, 180, 0);
constexpr Pixel Blue = Rgb(0, 0, 255);

// Three 4 x 3 images in stored order, each with black holes.
const std::vector<std::vector<Pixel>> Images = {
    {Black, Red1, Red2, Grey,
     Gold, Black, Black, Gold,
     Grey, Grey, Black, Red1},
    {Blue, Blue, Black, Blue,
     Blue, Black, Blue, Blue,
     Black, Blue, Blue, Blue},
    {Gold, Gold, Gold, Gold,
     Black, Black, Black, Black,
     Red2, Red2, Red2, Red2},
};

ImageList MakeList() {
    std::vector<Pixel> pixels;
    for (const auto& image : Images) pixels.insert(pixels.end(), image.begin(), image.end());
    return ImageList(CellW, CellH, pixels);
}

struct Placement {
    int n;
    int x;
    int y;
};

// What the buffer should show: every non-black pixel of each placement, later ones on top,
// worked out pixel by pixel with wide arithmetic so that far-off positions cannot wrap.
platform::Surface Expected(const std::vector<Placement>& layers) {
    platform::Surface expected(484, 300, Background);
    for (const Placement& p : layers) {
        for (int row = 0; row < CellH; ++row) {
            for (int col = 0; col < CellW; ++col) {
                const Pixel pixel = Images[p.n - 1][row * CellW + col];
                const long long x = static_cast<long long>(p.x) + col;
                const long long y = static_cast<long long>(p.y) + row;
                if (pixel != Black && x >= 0 && y >= 0 && x < expected.Width() && y < expected.Height()) {
                    expected.Set(static_cast<int>(x), static_cast<int>(y), pixel);
                }
            }
        }
    }
    return expected;
}

class TransparentDraw : public ::testing::Test {
protected:
    TransparentDraw() {
        buffer.SetSize(484, 300);
        pixel_checks::PaintAll(buffer, Background);
    }

    void Draw(const std::vector<Placement>& layers) {
        for (const Placement& p : layers) buffer.Draw(list, p.n, p.x, p.y);
    }

    const ImageList list = MakeList();
    BackBuffer buffer;
};

TEST_F(TransparentDraw, BlackShowsTheBackgroundAndNearBlackOverwrites) {
    buffer.Draw(list, 1, 10, 20);
    EXPECT_EQ(buffer.At(10, 20), Background);  // black corner
    EXPECT_EQ(buffer.At(11, 20), Red1);
    EXPECT_EQ(buffer.At(12, 20), Red2);
    EXPECT_EQ(buffer.At(13, 22), Red1);
    EXPECT_TRUE(pixel_checks::SamePixels(buffer, Expected({{1, 10, 20}})));
}

TEST_F(TransparentDraw, ImagesAreNumberedFromOneInStoredOrder) {
    for (int n = 1; n <= 3; ++n) {
        pixel_checks::PaintAll(buffer, Background);
        buffer.Draw(list, n, 40, 50);
        EXPECT_TRUE(pixel_checks::SamePixels(buffer, Expected({{n, 40, 50}}))) << "image " << n;
    }
    EXPECT_EQ(list.Count(), 3);
}

TEST_F(TransparentDraw, LaterDrawsCoverEarlierOnesOnlyWhereNotBlack) {
    const std::vector<Placement> layers = {{3, 100, 100}, {2, 100, 100}, {1, 101, 101}};
    Draw(layers);
    EXPECT_TRUE(pixel_checks::SamePixels(buffer, Expected(layers)));
    // Image 2's hole at (2, 0) leaves image 3's gold; its blue hides the gold elsewhere.
    EXPECT_EQ(buffer.At(102, 100), Gold);
    EXPECT_EQ(buffer.At(100, 100), Blue);
    // Image 1's black (1, 1) at (102, 102) keeps the blue below; its red (1, 0) covers it.
    EXPECT_EQ(buffer.At(102, 102), Blue);
    EXPECT_EQ(buffer.At(102, 101), Red1);
}

TEST_F(TransparentDraw, NumbersOutsideTheListDrawNothing) {
    for (const int n : {0, -1, 4, 31, INT_MIN, INT_MAX}) {
        buffer.Draw(list, n, 10, 10);
        EXPECT_EQ(pixel_checks::InkOf(buffer, Background).count, 0) << "image " << n;
    }
    const ImageList empty;
    buffer.Draw(empty, 1, 10, 10);
    EXPECT_EQ(pixel_checks::InkOf(buffer, Background).count, 0);
}

TEST_F(TransparentDraw, ClipsAtEveryEdgeAndIgnoresPositionsWhollyOutside) {
    const struct {
        int x;
        int y;
    } positions[] = {
        // Partly inside: left, right, top and bottom edges, then the corners.
        {-1, 100}, {-3, 100}, {482, 100}, {483, 100}, {100, -1}, {100, -2}, {100, 298}, {100, 299},
        {-2, -1}, {482, -2}, {-3, 298}, {481, 299},
        // Wholly outside, near and far.
        {-4, 100}, {484, 100}, {100, -3}, {100, 300}, {-1000, -1000}, {5000, 5000},
        {INT_MIN, 100}, {100, INT_MIN}, {INT_MAX, 100}, {100, INT_MAX}, {INT_MIN, INT_MIN}, {INT_MAX, INT_MAX},
    };
    for (const auto& p : positions) {
        pixel_checks::PaintAll(buffer, Background);
        buffer.Draw(list, 1, p.x, p.y);
        EXPECT_TRUE(pixel_checks::SamePixels(buffer, Expected({{1, p.x, p.y}}))) << "at " << p.x << ", " << p.y;
    }
}

}  // namespace
