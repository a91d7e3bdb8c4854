// The off-screen picture of one frame: a surface with a fore colour, a text position and lines.
#pragma once

#include <string_view>

#include "platform/image_list.h"
#include "platform/surface.h"

namespace platform {

class BackBuffer : public Surface {
public:
    // The buffer's size before the main window gives it the game screen's size.
    static constexpr int DesignWidth = 220;
    static constexpr int DesignHeight = 200;

    BackBuffer() : Surface(DesignWidth, DesignHeight) {}

    void SetSize(int width, int height) { Resize(width, height); }
    // The whole picture becomes the background colour, black.
    void Clear() { Fill(Black); }

    void SetForeColor(Pixel colour) { fore_ = colour; }
    Pixel ForeColor() const { return fore_; }
    void SetTextPosition(int x, int y) { textX_ = x; textY_ = y; }
    // Prints at the text position in the buffer's font and fore colour; the position moves on.
    void Print(std::string_view text);
    // A solid one-pixel line from (x1, y1) to (x2, y2), end point included, in the fore colour.
    void Line(float x1, float y1, float x2, float y2);
    // The transparent draw: image n (from 1) of list at (x, y).
    void Draw(const ImageList& list, int n, int x, int y) { list.Draw(*this, n, x, y); }

private:
    Pixel fore_ = Black;
    int textX_ = 0;
    int textY_ = 0;
};

}  // namespace platform
