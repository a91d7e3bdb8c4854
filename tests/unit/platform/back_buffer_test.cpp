#include "platform/back_buffer.h"

#include <gtest/gtest.h>

#include <string_view>

#include "pixel_checks.h"
#include "platform/font.h"

namespace {

using platform::BackBuffer;
using platform::Black;
using platform::BoldSans11;
using platform::Pixel;
using platform::Rgb;

constexpr Pixel Field = Rgb(0, 40, 0);
constexpr Pixel ScoreGrey = Rgb(200, 200, 200);

BackBuffer GameSized(Pixel fill = Black) {
    BackBuffer buffer;
    buffer.SetSize(484, 300);
    pixel_checks::PaintAll(buffer, fill);
    return buffer;
}

TEST(BackBuffer, StartsAtDesignSizeTakesTheScreenSizeAndClearsToBlack) {
    BackBuffer buffer;
    EXPECT_EQ(buffer.Width(), 220);
    EXPECT_EQ(buffer.Height(), 200);
    buffer.SetSize(484, 300);
    EXPECT_EQ(buffer.Width(), 484);
    EXPECT_EQ(buffer.Height(), 300);

    pixel_checks::PaintAll(buffer, Field);
    buffer.SetForeColor(ScoreGrey);
    buffer.Line(0, 0, 483, 299);
    buffer.Clear();
    EXPECT_EQ(pixel_checks::InkOf(buffer, Black).count, 0);
}

TEST(BackBufferLine, PaintsBothEndPointsClippedInTheForeColour) {
    const struct {
        const char* what;
        float x1, y1, x2, y2;
        int left, top, right, bottom;  // the painted rectangle, inclusive; left > right when none
    } cases[] = {
        {"gauge edge", 2, 2, 102, 2, 2, 2, 102, 2},
        {"drawn right to left", 102, 6, 2, 6, 2, 6, 102, 6},
        {"X to X is one pixel", 104, 3, 104, 3, 104, 3, 104, 3},
        {"X to X - 1 is two", 104, 3, 103, 3, 103, 3, 104, 3},
        {"vertical", 7, 10, 7, 14, 7, 10, 7, 14},
        {"through both side edges", -50, 5, 600, 5, 0, 5, 483, 5},
        {"through top and bottom", 10, -20, 10, 320, 10, 0, 10, 299},
        {"ending on the last column", 480, 1, 483, 1, 480, 1, 483, 1},
        {"above the buffer", 0, -1, 483, -1, 1, 0, 0, 0},
        {"below it", -5, 300, 10, 300, 1, 0, 0, 0},
        {"right of it", 484, 0, 484, 299, 1, 0, 0, 0},
        {"left of it", -3, 0, -1, 0, 1, 0, 0, 0},
    };
    for (const auto& c : cases) {
        BackBuffer buffer = GameSized(Field);
        buffer.SetForeColor(Rgb(255, 0, 0));
        buffer.Line(c.x1, c.y1, c.x2, c.y2);
        int wrong = 0;
        for (int y = 0; y < buffer.Height(); ++y) {
            for (int x = 0; x < buffer.Width(); ++x) {
                const bool painted = x >= c.left && x <= c.right && y >= c.top && y <= c.bottom;
                wrong += buffer.At(x, y) != (painted ? Rgb(255, 0, 0) : Field);
            }
        }
        EXPECT_EQ(wrong, 0) << c.what;
    }
}

TEST(BackBufferLine, DiagonalStepsOnePixelPerRowEitherWay) {
    for (const bool reversed : {false, true}) {
        BackBuffer buffer = GameSized();
        buffer.SetForeColor(ScoreGrey);
        if (reversed) {
            buffer.Line(13, 13, 10, 10);
        } else {
            buffer.Line(10, 10, 13, 13);
        }
        EXPECT_EQ(pixel_checks::InkOf(buffer).count, 4);
        for (int i = 10; i <= 13; ++i) EXPECT_EQ(buffer.At(i, i), ScoreGrey) << i;
    }
}

// The score as the status bar prints it.
pixel_checks::Ink PrintedInk(std::string_view text, int x = 240, int y = 2) {
    BackBuffer buffer = GameSized();
    buffer.SetForeColor(ScoreGrey);
    buffer.SetTextPosition(x, y);
    buffer.Print(text);
    return pixel_checks::InkOf(buffer);
}

TEST(BackBufferPrint, TextLiesRightOfAndBelowTheTextPositionWithinItsLine) {
    const auto& font = BoldSans11();
    for (const std::string_view text : {"0", "1,234", "25,000", "9876543", "Score"}) {
        const pixel_checks::Ink ink = PrintedInk(text);
        ASSERT_FALSE(ink.Empty()) << text;
        EXPECT_GE(ink.left, 240) << text;
        EXPECT_GE(ink.top, 2) << text;
        EXPECT_LT(ink.right, 240 + font.TextWidth(text)) << text;
        EXPECT_LT(ink.bottom, 2 + font.LineHeight()) << text;
        // Close to the position, not merely somewhere after it.
        EXPECT_LE(ink.left, 242) << text;
        EXPECT_LE(ink.top, 4) << text;
    }
}

TEST(BackBufferPrint, TheThousandsSeparatorWidensTheScore) {
    EXPECT_GT(BoldSans11().TextWidth("1,234"), BoldSans11().TextWidth("1234"));
    EXPECT_GT(PrintedInk("1,234").right, PrintedInk("1234").right);
    EXPECT_GT(PrintedInk("1,234").count, PrintedInk("1234").count);
}

TEST(BackBufferPrint, APrintGoesOnWhereTheLastOneEnded) {
    BackBuffer whole = GameSized();
    whole.SetForeColor(ScoreGrey);
    whole.SetTextPosition(240, 2);
    whole.Print("25,000");

    BackBuffer pieces = GameSized();
    pieces.SetForeColor(ScoreGrey);
    pieces.SetTextPosition(240, 2);
    pieces.Print("25,");
    const pixel_checks::Ink first = pixel_checks::InkOf(pieces);
    pieces.Print("000");
    EXPECT_TRUE(pixel_checks::SamePixels(whole, pieces));

    // The second piece is all to the right of the first.
    BackBuffer second = GameSized();
    second.SetForeColor(ScoreGrey);
    second.SetTextPosition(240 + BoldSans11().TextWidth("25,"), 2);
    second.Print("000");
    EXPECT_GT(pixel_checks::InkOf(second).left, first.right);
}

TEST(BackBufferPrint, PaintsOnlyGlyphPixelsInTheForeColourOfTheMoment) {
    BackBuffer buffer = GameSized(Field);
    buffer.SetTextPosition(240, 2);
    buffer.SetForeColor(ScoreGrey);
    buffer.Print("8");
    const int split = 240 + BoldSans11().Advance('8');
    buffer.SetForeColor(Rgb(255, 0, 0));
    buffer.Print("8");

    int grey = 0;
    int red = 0;
    int misplaced = 0;
    int fieldInFirstCell = 0;
    for (int y = 0; y < buffer.Height(); ++y) {
        for (int x = 0; x < buffer.Width(); ++x) {
            const Pixel p = buffer.At(x, y);
            if (p == ScoreGrey) {
                ++grey;
                misplaced += x >= split;
            } else if (p == Rgb(255, 0, 0)) {
                ++red;
                misplaced += x < split;
            } else if (p != Field) {
                ++misplaced;
            } else {
                fieldInFirstCell += x >= 240 && x < split && y >= 2 && y < 2 + BoldSans11().LineHeight();
            }
        }
    }
    EXPECT_GT(grey, 0);
    EXPECT_EQ(red, grey);
    EXPECT_EQ(misplaced, 0);
    // The counters of the 8 and the space around it keep the field: no cell background.
    EXPECT_GT(fieldInFirstCell, 0);
}

}  // namespace
