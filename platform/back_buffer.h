// The off-screen picture of one frame: a surface with a fore colour, a text position and lines.
// It keeps account of where it has been drawn on, so that a clear only blackens what the last
// frame drew, and a screen showing an earlier frame is sent only what changed.
#pragma once

#include <cstdint>
#include <string_view>

#include "platform/image_list.h"
#include "platform/rect_list.h"
#include "platform/surface.h"

namespace platform {

class BackBuffer : public Surface {
public:
    // The buffer's size before the main window gives it the game screen's size.
    static constexpr int DesignWidth = 220;
    static constexpr int DesignHeight = 200;

    BackBuffer();

    // Takes the given size, all black, and begins a frame in which everything has changed.
    void SetSize(int width, int height);
    // The whole picture becomes the background colour, black, and a new frame begins.
    void Clear();

    void SetForeColor(Pixel colour) { fore_ = colour; }
    Pixel ForeColor() const { return fore_; }
    void SetTextPosition(int x, int y) { textX_ = x; textY_ = y; }
    // Prints at the text position in the buffer's font and fore colour; the position moves on.
    void Print(std::string_view text);
    // A solid one-pixel line from (x1, y1) to (x2, y2), end point included, in the fore colour.
    void Line(float x1, float y1, float x2, float y2);
    // The transparent draw: image n (from 1) of list at (x, y).
    void Draw(const ImageList& list, int n, int x, int y);

    // Frames begun so far: each clear begins one.
    std::uint64_t Frame() const { return frame_; }
    // The parts of the picture that may differ from what it showed at any moment of frame
    // `shown`: the last frame's drawing, cleared, and this frame's drawing so far when `shown`
    // is this frame or the one before; the whole picture when it is older.
    RectList ChangedSince(std::uint64_t shown) const;

    // Reading only: every write goes through the operations above, which keep the account.
    const Pixel* Row(int y) const { return Surface::Row(y); }
    const Pixel* Data() const { return Surface::Data(); }

private:
    using Surface::Fill;
    using Surface::Plot;
    using Surface::Resize;
    using Surface::Set;

    Rect Whole() const { return {0, 0, Width(), Height()}; }
    // Notes that the part of r inside the buffer has been drawn on.
    void Touch(Rect r);

    Pixel fore_ = Black;
    int textX_ = 0;
    int textY_ = 0;
    // Outside these the picture is black.
    RectList drawn_;
    // Blackened by the clear that began this frame, or changed wholesale since.
    RectList cleared_;
    std::uint64_t frame_ = 0;
};

}  // namespace platform
