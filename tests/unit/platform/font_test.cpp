#include "platform/font.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <string>
#include <string_view>

#include "pixel_checks.h"

namespace {

using platform::BitmapFont;
using platform::BoldSans11;
using platform::Pixel;
using platform::Rgb;
using platform::Surface;

constexpr Pixel White = Rgb(255, 255, 255);

const BitmapFont& Font() { return BoldSans11(); }

// One character drawn at (0, 0) of a surface of its own, so ink rows are glyph rows.
pixel_checks::Ink GlyphInk(char c) {
    Surface cell(16, 16);
    Font().Draw(cell, 0, 0, std::string_view(&c, 1), White);
    return pixel_checks::InkOf(cell);
}

TEST(BoldSans11, HasTheScoreLineMetrics) {
    EXPECT_EQ(Font().LineHeight(), 11);
    const struct {
        std::string_view text;
        int width;
    } cases[] = {
        {"", 0},
        {"0", 6},
        {"0123456789", 60},
        {",", 3},
        {".", 3},
        {" ", 3},
        {"1,234", 27},
        {"25,000", 33},
        {"9,876,543", 48},
        // Characters the font lacks advance like a blank.
        {std::string_view("\0", 1), 3},
        {"\t\n\x7f", 9},
        {"\x80\xe9\xff", 9},
    };
    for (const auto& c : cases) EXPECT_EQ(Font().TextWidth(c.text), c.width) << '"' << c.text << '"';
}

TEST(BoldSans11, EveryPrintableCharacterShowsWithinItsOwnCell) {
    for (int code = 33; code <= 126; ++code) {
        const char c = static_cast<char>(code);
        Surface cell(20, 16);
        EXPECT_EQ(Font().Draw(cell, 2, 3, std::string_view(&c, 1), White), 2 + Font().Advance(c)) << c;
        const pixel_checks::Ink ink = pixel_checks::InkOf(cell);
        ASSERT_FALSE(ink.Empty()) << c;
        EXPECT_GE(ink.left, 2) << c;
        EXPECT_LT(ink.right, 2 + Font().Advance(c)) << c;
        EXPECT_GE(ink.top, 3) << c;
        EXPECT_LT(ink.bottom, 3 + Font().LineHeight()) << c;
    }
    Surface cell(20, 16);
    EXPECT_EQ(Font().Draw(cell, 2, 3, " \t", White), 2 + 2 * Font().Advance(' '));
    EXPECT_TRUE(pixel_checks::InkOf(cell).Empty());
}

TEST(BoldSans11, LettersAndDigitsShareOneBaseline) {
    const struct {
        std::string_view chars;
        int top;
        int bottom;
    } cases[] = {
        {"0123456789", 1, 8},  // cap height 8 on the baseline, like the capitals
        {"ABCDEFGHIJKLMNOPQRSTUVWXYZ", 1, 8},
        {"bdhkl", 1, 8},
        {"acemnorsuvwxz", 3, 8},
        {"gpqy", 3, 10},
        {".", 7, 8},
        {",", 7, 10},  // the separator's tail hangs below the digits
    };
    for (const auto& c : cases) {
        for (const char ch : c.chars) {
            const pixel_checks::Ink ink = GlyphInk(ch);
            EXPECT_EQ(ink.top, c.top) << ch;
            EXPECT_EQ(ink.bottom, c.bottom) << ch;
        }
    }
}

TEST(BoldSans11, StrokesAreBold) {
    // Plain stems are exactly two pixels wide, side by side, all the way down.
    for (const char c : std::string_view("Iil")) {
        Surface cell(16, 16);
        Font().Draw(cell, 0, 0, std::string_view(&c, 1), White);
        for (int y = 0; y < cell.Height(); ++y) {
            const Pixel* row = cell.Row(y);
            const Pixel* first = std::find(row, row + cell.Width(), White);
            if (first == row + cell.Width()) continue;
            EXPECT_EQ(std::count(row, row + cell.Width(), White), 2) << c << " row " << y;
            EXPECT_EQ(first[1], White) << c << " row " << y;
        }
    }
    // No row of a digit is a hairline.
    for (char digit = '0'; digit <= '9'; ++digit) {
        Surface cell(16, 16);
        Font().Draw(cell, 0, 0, std::string_view(&digit, 1), White);
        for (int y = 1; y <= 8; ++y) {
            EXPECT_GE(std::count(cell.Row(y), cell.Row(y) + cell.Width(), White), 2) << digit << " row " << y;
        }
    }
}

// Ink in the last column (V) and in the top row ($), full width, a descender and thin glyphs.
constexpr std::string_view Sample = "V$Wg,1|j";

TEST(BoldSans11, TextIsClippedAtEveryEdgeLikeACropOfTheWholeText) {
    constexpr int W = 30;
    constexpr int H = 12;
    constexpr int Margin = 60;
    // Every column from wholly left to wholly right, on rows from wholly above to wholly below.
    for (int y : {-11, -10, -6, -1, 0, 1, 5, 11, 12}) {
        for (int x = -Font().TextWidth(Sample) - 1; x <= W + 1; ++x) {
            Surface small(W, H);
            EXPECT_EQ(Font().Draw(small, x, y, Sample, White), x + Font().TextWidth(Sample));
            Surface large(W + 2 * Margin, H + 2 * Margin);
            Font().Draw(large, x + Margin, y + Margin, Sample, White);
            ASSERT_TRUE(pixel_checks::SamePixels(small, pixel_checks::Crop(large, Margin, Margin, W, H)))
                << "at " << x << ", " << y;
        }
    }
}

TEST(BoldSans11, FarOffTextPaintsNothingAndItsEndDoesNotWrap) {
    const struct {
        int x;
        int y;
    } positions[] = {
        {INT_MIN, 0}, {0, INT_MIN}, {INT_MAX, 0}, {0, INT_MAX}, {INT_MAX - 5, 0}, {INT_MIN, INT_MIN}, {-100000, 3},
    };
    const long long width = Font().TextWidth(Sample);
    for (const auto& p : positions) {
        Surface target(484, 300);
        const int end = Font().Draw(target, p.x, p.y, Sample, White);
        EXPECT_TRUE(pixel_checks::InkOf(target).Empty()) << p.x << ", " << p.y;
        EXPECT_EQ(end, std::min<long long>(INT_MAX, p.x + width)) << p.x << ", " << p.y;
    }
    Surface empty(0, 0);
    EXPECT_EQ(Font().Draw(empty, 0, 0, Sample, White), width);
}

}  // namespace
