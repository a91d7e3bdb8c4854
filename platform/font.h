// The bold sans-serif bitmap font of the back buffer, about 11 pixels high.
#pragma once

#include <string_view>

#include "platform/surface.h"

namespace platform {

class BitmapFont {
public:
    virtual ~BitmapFont() = default;
    // Height of a text line in pixels.
    virtual int LineHeight() const = 0;
    // Horizontal advance of a character in pixels; characters the font lacks advance like a blank.
    virtual int Advance(char c) const = 0;
    int TextWidth(std::string_view text) const;
    // Draws text with the top-left corner of its line at (x, y), clipped; only the glyphs' own
    // pixels are painted, the cell background stays as it was. Returns the x after the text.
    virtual int Draw(Surface& target, int x, int y, std::string_view text, Pixel colour) const = 0;
};

// The font of the game's back buffer (a stand-in for Arial 8.25 pt bold).
const BitmapFont& BoldSans11();

}  // namespace platform
