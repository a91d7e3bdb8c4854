// Lettering for the window pictures: the game's 11-pixel bold font, plain, enlarged or
// slanted, and a heavy display face for the title.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "tools/art/canvas.h"

namespace art {

constexpr int TextLineHeight = 11;  // of the bold font; capitals stand on row 8

// Width of text in the bold font, unscaled.
int TextWidth(std::string_view text);

// How lettering is set. scale enlarges the font's pixels (smoothly above 1); slant moves
// each row right by slant pixels for every pixel it stands above the baseline.
struct TextStyle {
    Colour colour{1, 1, 1};
    double scale = 1;
    double slant = 0;
};

// Sets text with the top of its line at (x, y) and returns its width in picture pixels.
double PaintText(Canvas& canvas, std::string_view text, double x, double y, const TextStyle& style);
// The same, centred on centreX.
void PaintTextCentred(Canvas& canvas, std::string_view text, double centreX, double y, const TextStyle& style);

// Splits text into lines, breaking at blanks; "\n" forces a break. Line i is no wider than
// widths[i] (unscaled), the last width holding for every line after it.
std::vector<std::string> WrapText(std::string_view text, const std::vector<int>& widths);

// The display face: a heavy sans serif drawn from boxes, slanted strokes and ovals, for the
// game's name. Knows the letters of "VR-717 'Void Raider' II"; anything else sets as a blank.
class DisplayText {
public:
    // Sets text with its baseline at baseline, capitals capHeight pixels high, starting at left.
    DisplayText(std::string_view text, double left, double baseline, double capHeight, double slant);
    double Right() const { return right_; }
    // Moves the whole line sideways, e.g. to centre it once its width is known.
    void Shift(double dx);
    bool Inside(double x, double y) const;
    // Lays the lettering over the canvas, moved by (dx, dy), edges smoothed.
    void Paint(Canvas& canvas, Colour colour, double dx = 0, double dy = 0) const;

    // The letters are built from these; public so the glyph table can be plain data.
    // A piece of a letter in text units: capitals one unit high, baseline at 0, y upward.
    struct Shape {
        enum Kind { Box, Quad, Ring } kind;
        double v[8];  // Box: x0 y0 x1 y1; Quad: four corners in turn; Ring: cx cy rx ry inner-rx inner-ry
        double clip[4] = {-1e9, -1e9, 1e9, 1e9};  // x0 y0 x1 y1: the shape counts only inside
        bool cut = false;  // takes away from the letter instead of adding
        bool Holds(double x, double y) const;
    };
    struct Letter {
        double pen;  // left edge in text units
        double width;
        std::vector<Shape> shapes;
    };

private:
    std::vector<Letter> letters_;
    double left_, right_, baseline_, capHeight_, slant_;
};

}  // namespace art
