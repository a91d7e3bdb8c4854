// A tiny capital-letter font, five pixels high, for labels painted into pictures.
#pragma once

#include <string_view>

namespace art {

constexpr int PixelFontHeight = 5;

// Calls plot(x, y) for every lit pixel of text set with its top-left corner at (x, y),
// one blank column between letters. Returns the width of the text.
template <class Plot>
int SetPixelText(std::string_view text, int x, int y, const Plot& plot);

// Width of text in pixels.
int PixelTextWidth(std::string_view text);

// One letter: rows of '#' (lit) and '.', all of one width; nullptr for a letter the font lacks.
const char* const* PixelGlyph(char c, int& width);

template <class Plot>
int SetPixelText(std::string_view text, int x, int y, const Plot& plot) {
    const int start = x;
    for (std::size_t i = 0; i < text.size(); ++i) {
        int width = 0;
        const char* const* rows = PixelGlyph(text[i], width);
        if (rows) {
            for (int row = 0; row < PixelFontHeight; ++row) {
                for (int col = 0; col < width; ++col) {
                    if (rows[row][col] == '#') plot(x + col, y + row);
                }
            }
        }
        x += width + (i + 1 < text.size() ? 1 : 0);
    }
    return x - start;
}

}  // namespace art
