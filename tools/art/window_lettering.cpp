#include "tools/art/window_lettering.h"

#include <algorithm>
#include <cmath>

#include "platform/font.h"

namespace art {
namespace {

constexpr int Baseline = 9;  // of the bold font's line: capitals stand on row 8

// The font's lit pixels for text, one byte per pixel.
struct Mask {
    int width = 0;
    std::vector<unsigned char> lit;
    double At(int x, int y) const {
        if (x < 0 || y < 0 || x >= width || y >= TextLineHeight) return 0;
        return lit[static_cast<std::size_t>(y * width + x)];
    }
    // Between the pixel centres, for enlarged lettering with smooth diagonals.
    double Smooth(double x, double y) const {
        const double fx = x - 0.5, fy = y - 0.5;
        const int x0 = static_cast<int>(std::floor(fx)), y0 = static_cast<int>(std::floor(fy));
        const double tx = fx - x0, ty = fy - y0;
        const double top = At(x0, y0) * (1 - tx) + At(x0 + 1, y0) * tx;
        const double bottom = At(x0, y0 + 1) * (1 - tx) + At(x0 + 1, y0 + 1) * tx;
        return top * (1 - ty) + bottom * ty;
    }
};

Mask MaskOf(std::string_view text) {
    const platform::BitmapFont& font = platform::BoldSans11();
    Mask mask;
    mask.width = std::max(1, font.TextWidth(text));
    platform::Surface surface(mask.width, TextLineHeight);
    font.Draw(surface, 0, 0, text, platform::Rgb(255, 255, 255));
    mask.lit.resize(static_cast<std::size_t>(mask.width * TextLineHeight));
    for (int y = 0; y < TextLineHeight; ++y) {
        for (int x = 0; x < mask.width; ++x)
            mask.lit[static_cast<std::size_t>(y * mask.width + x)] = surface.At(x, y) != 0;
    }
    return mask;
}

}  // namespace

int TextWidth(std::string_view text) { return platform::BoldSans11().TextWidth(text); }

double PaintText(Canvas& canvas, std::string_view text, double x, double y, const TextStyle& style) {
    const Mask mask = MaskOf(text);
    if (style.scale == 1 && style.slant == 0) {
        const int left = static_cast<int>(std::lround(x)), top = static_cast<int>(std::lround(y));
        for (int row = 0; row < TextLineHeight; ++row) {
            for (int col = 0; col < mask.width; ++col) {
                if (mask.At(col, row) > 0) canvas.Over(left + col, top + row, style.colour, 1);
            }
        }
        return mask.width;
    }
    const double s = style.scale;
    const double rise = Baseline * s;  // baseline below the top of the line, in picture pixels
    const double width = mask.width * s;
    const int x0 = static_cast<int>(std::floor(x + std::min(0.0, -style.slant * (TextLineHeight * s - rise)))) - 1;
    const int x1 = static_cast<int>(std::ceil(x + width + std::max(0.0, style.slant * rise))) + 1;
    const int y0 = static_cast<int>(std::floor(y)), y1 = static_cast<int>(std::ceil(y + TextLineHeight * s));
    constexpr int N = 5;
    for (int py = y0; py <= y1; ++py) {
        for (int px = x0; px <= x1; ++px) {
            int inside = 0;
            for (int sy = 0; sy < N; ++sy) {
                for (int sx = 0; sx < N; ++sx) {
                    const double qx = px + (sx + 0.5) / N, qy = py + (sy + 0.5) / N;
                    const double v = (qy - y) / s;
                    const double u = (qx - x - style.slant * (rise - (qy - y))) / s;
                    const double field =
                        s > 1 ? mask.Smooth(u, v)
                              : mask.At(static_cast<int>(std::floor(u)), static_cast<int>(std::floor(v)));
                    inside += field > 0.5;
                }
            }
            if (inside) canvas.Over(px, py, style.colour, static_cast<double>(inside) / (N * N));
        }
    }
    return width;
}

void PaintTextCentred(Canvas& canvas, std::string_view text, double centreX, double y, const TextStyle& style) {
    const double width = TextWidth(text) * style.scale;
    double left = centreX - width / 2;
    if (style.scale == 1 && style.slant == 0) left = std::floor(left + 0.5);
    PaintText(canvas, text, left, y, style);
}

std::vector<std::string> WrapText(std::string_view text, const std::vector<int>& widths) {
    std::vector<std::string> lines;
    std::string line;
    std::size_t at = 0;
    while (at <= text.size()) {
        const std::size_t end = std::min(text.find_first_of(" \n", at), text.size());
        const std::string_view word = text.substr(at, end - at);
        const std::string joined = line.empty() ? std::string(word) : line + " " + std::string(word);
        const int width = widths.empty() ? 1 << 20 : widths[std::min(lines.size(), widths.size() - 1)];
        if (!line.empty() && TextWidth(joined) > width) {
            lines.push_back(line);
            line = std::string(word);
        } else {
            line = joined;
        }
        if (end < text.size() && text[end] == '\n') {
            lines.push_back(line);
            line.clear();
        }
        at = end + 1;
    }
    if (!line.empty()) lines.push_back(line);
    return lines;
}

// ---- The display face ----

bool DisplayText::Shape::Holds(double x, double y) const {
    if (x < clip[0] || y < clip[1] || x > clip[2] || y > clip[3]) return false;
    switch (kind) {
        case Box:
            return x >= v[0] && y >= v[1] && x <= v[2] && y <= v[3];
        case Quad:
            // Corners go round one way; inside lies on the same side of every edge.
            for (int i = 0; i < 4; ++i) {
                const double ax = v[2 * i], ay = v[2 * i + 1];
                const double bx = v[(2 * i + 2) % 8], by = v[(2 * i + 3) % 8];
                if ((bx - ax) * (y - ay) - (by - ay) * (x - ax) < 0) return false;
            }
            return true;
        case Ring: {
            const double dx = x - v[0], dy = y - v[1];
            const double outer = (dx * dx) / (v[2] * v[2]) + (dy * dy) / (v[3] * v[3]);
            if (outer > 1) return false;
            if (v[4] <= 0) return true;
            return (dx * dx) / (v[4] * v[4]) + (dy * dy) / (v[5] * v[5]) >= 1;
        }
    }
    return false;
}

namespace {

using Shape = DisplayText::Shape;
using Letter = DisplayText::Letter;

constexpr double Stem = 0.25;  // upright strokes
constexpr double Bar = 0.2;  // level strokes
constexpr double XHeight = 0.76;
constexpr double Tracking = 0.07;  // extra room between letters

Shape Box(double x0, double y0, double x1, double y1) { return {Shape::Box, {x0, y0, x1, y1}}; }
// Corners counter-clockwise as seen with y up.
Shape Quad(double ax, double ay, double bx, double by, double cx, double cy, double dx, double dy) {
    return {Shape::Quad, {ax, ay, bx, by, cx, cy, dx, dy}};
}
Shape Ring(double cx, double cy, double rx, double ry, double ix, double iy) {
    return {Shape::Ring, {cx, cy, rx, ry, ix, iy}};
}
Shape Clipped(Shape s, double x0, double y0, double x1, double y1) {
    s.clip[0] = x0;
    s.clip[1] = y0;
    s.clip[2] = x1;
    s.clip[3] = y1;
    return s;
}
Shape Cut(Shape s) {
    s.cut = true;
    return s;
}

// The round of o, d, a and e: an oval the height of the lower case.
constexpr double BowlX = 0.42, BowlY = XHeight / 2, BowlRx = 0.42, BowlRy = XHeight / 2 + 0.01;
Shape Bowl() { return Ring(BowlX, BowlY, BowlRx, BowlRy, BowlRx - Stem + 0.02, BowlRy - Bar); }

Letter Glyph(char c) {
    switch (c) {
        case 'V':
            return {0, 0.94, {Quad(0, 1, 0.31, 0, 0.62, 0, 0.3, 1), Quad(0.64, 1, 0.31, 0, 0.62, 0, 0.94, 1)}};
        case 'R':
            return {0,
                    0.9,
                    {Box(0, 0, Stem, 1), Box(Stem, 1 - Bar, 0.46, 1), Box(Stem, 0.42, 0.46, 0.42 + Bar),
                     Clipped(Ring(0.46, 0.71, 0.38, 0.29, 0.15, 0.09), 0.46, -1, 9, 9),
                     Quad(0.38, 0.5, 0.58, 0, 0.88, 0, 0.64, 0.5)}};
        case 'I':
            return {0, Stem + 0.02, {Box(0, 0, Stem + 0.02, 1)}};
        case '-':
            return {0, 0.44, {Box(0.04, 0.3, 0.4, 0.3 + Bar)}};
        case '7':
            return {0, 0.8, {Box(0, 1 - Bar, 0.8, 1), Quad(0.17, 0, 0.45, 0, 0.8, 1 - Bar, 0.5, 1 - Bar)}};
        case '1':
            return {0, 0.62, {Box(0.3, 0, 0.3 + Stem + 0.02, 1), Quad(0.02, 0.62, 0.3, 0.72, 0.3, 1, 0.02, 0.86)}};
        case '\'':
            return {0, 0.26, {Quad(0.05, 0.6, 0.21, 0.6, 0.26, 1.02, 0, 1.02)}};
        case 'o':
            return {0, 0.84, {Bowl()}};
        case 'i':
            return {0, Stem + 0.02, {Box(0, 0, Stem + 0.02, XHeight), Box(0, 0.84, Stem + 0.02, 1.03)}};
        case 'd':
            return {0, 0.84, {Clipped(Bowl(), -1, -1, 0.6, 9), Box(0.84 - Stem - 0.02, 0, 0.84, 1.02)}};
        case 'a':
            return {0, 0.84, {Clipped(Bowl(), -1, -1, 0.6, 9), Box(0.84 - Stem - 0.02, 0, 0.84, XHeight)}};
        case 'e':
            return {0, 0.84, {Bowl(), Box(0.1, 0.33, 0.8, 0.33 + Bar * 0.8), Cut(Box(0.5, 0.12, 1, 0.33))}};
        case 'r':
            return {0,
                    0.56,
                    {Box(0, 0, Stem + 0.01, XHeight),
                     Clipped(Ring(0.52, 0.36, 0.52, XHeight - 0.36, 0.27, XHeight - 0.36 - Bar), -1, 0.44, 0.6, 9)}};
        default:
            return {0, 0.3, {}};
    }
}

}  // namespace

DisplayText::DisplayText(std::string_view text, double left, double baseline, double capHeight, double slant)
    : left_(left), baseline_(baseline), capHeight_(capHeight), slant_(slant) {
    double pen = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        Letter letter = Glyph(text[i]);
        letter.pen = pen;
        pen += letter.width + (i + 1 < text.size() ? Tracking : 0);
        letters_.push_back(std::move(letter));
    }
    right_ = left + pen * capHeight;
}

void DisplayText::Shift(double dx) {
    left_ += dx;
    right_ += dx;
}

bool DisplayText::Inside(double x, double y) const {
    const double v = (baseline_ - y) / capHeight_;
    const double u = (x - left_) / capHeight_ - slant_ * v;
    for (const Letter& letter : letters_) {
        const double lx = u - letter.pen;
        if (lx < -0.05 || lx > letter.width + 0.05) continue;
        bool inside = false;
        for (const Shape& shape : letter.shapes) {
            if (!shape.cut && shape.Holds(lx, v)) inside = true;
        }
        if (!inside) continue;
        bool cut = false;
        for (const Shape& shape : letter.shapes) {
            if (shape.cut && shape.Holds(lx, v)) cut = true;
        }
        if (!cut) return true;
    }
    return false;
}

void DisplayText::Paint(Canvas& canvas, Colour colour, double dx, double dy) const {
    constexpr int N = 4;
    const double reach = std::fabs(slant_) * capHeight_ * 1.1;
    const int x0 = static_cast<int>(std::floor(left_ + dx - reach)) - 1,
              x1 = static_cast<int>(std::ceil(right_ + dx + reach)) + 1;
    const int y0 = static_cast<int>(std::floor(baseline_ + dy - capHeight_ * 1.1)) - 1;
    const int y1 = static_cast<int>(std::ceil(baseline_ + dy + capHeight_ * 0.1)) + 1;
    for (int py = y0; py <= y1; ++py) {
        for (int px = x0; px <= x1; ++px) {
            int inside = 0;
            for (int sy = 0; sy < N; ++sy) {
                for (int sx = 0; sx < N; ++sx) inside += Inside(px + (sx + 0.5) / N - dx, py + (sy + 0.5) / N - dy);
            }
            if (inside) canvas.Over(px, py, colour, static_cast<double>(inside) / (N * N));
        }
    }
}

}  // namespace art
