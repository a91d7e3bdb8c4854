#include "platform/back_buffer.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "platform/font.h"

namespace platform {

BackBuffer::BackBuffer() : Surface(DesignWidth, DesignHeight) { cleared_.Add(Whole()); }

void BackBuffer::SetSize(int width, int height) {
    Resize(width, height);
    drawn_.Clear();
    cleared_.Clear();
    cleared_.Add(Whole());
    // A new size begins a frame in which everything has changed.
    ++frame_;
}

void BackBuffer::Clear() {
    // Everything outside what was drawn is black already.
    for (const Rect& r : drawn_.Rects()) {
        for (int y = r.y; y < r.y + r.height; ++y) {
            Pixel* row = Surface::Row(y) + r.x;
            std::fill(row, row + r.width, Black);
        }
    }
    cleared_ = drawn_;
    drawn_.Clear();
    ++frame_;
}

void BackBuffer::Touch(Rect r) { drawn_.Add(ClipTo(r, Width(), Height())); }

RectList BackBuffer::ChangedSince(std::uint64_t shown) const {
    RectList changed;
    if (frame_ - shown > 1) {
        changed.Add(Whole());
        return changed;
    }
    changed = cleared_;
    for (const Rect& r : drawn_.Rects()) changed.Add(r);
    return changed;
}

void BackBuffer::Print(std::string_view text) {
    const int left = textX_;
    textX_ = BoldSans11().Draw(*this, textX_, textY_, text, fore_);
    Touch({left, textY_, textX_ - left, BoldSans11().LineHeight()});
}

void BackBuffer::Draw(const ImageList& list, int n, int x, int y) {
    list.Draw(*this, n, x, y);
    Touch({x, y, list.Width(), list.Height()});
}

void BackBuffer::Line(float x1, float y1, float x2, float y2) {
    // Bresenham between the rounded end points; the gauge lines are all horizontal, but any
    // direction works and everything outside the buffer is clipped.
    int x = static_cast<int>(std::lround(x1));
    int y = static_cast<int>(std::lround(y1));
    const int xEnd = static_cast<int>(std::lround(x2));
    const int yEnd = static_cast<int>(std::lround(y2));
    const Rect box = ClipTo({std::min(x, xEnd), std::min(y, yEnd), std::abs(xEnd - x) + 1, std::abs(yEnd - y) + 1},
                            Width(), Height());
    drawn_.Add(box);
    if (y == yEnd) {
        // A row: the pixels Bresenham would plot one by one, all at once.
        if (!box.Empty()) std::fill_n(Surface::Row(y) + box.x, box.width, fore_);
        return;
    }
    const int dx = std::abs(xEnd - x);
    const int dy = -std::abs(yEnd - y);
    const int stepX = x < xEnd ? 1 : -1;
    const int stepY = y < yEnd ? 1 : -1;
    int error = dx + dy;
    for (;;) {
        Plot(x, y, fore_);
        if (x == xEnd && y == yEnd) break;
        const int twice = 2 * error;
        if (twice >= dy) { error += dy; x += stepX; }
        if (twice <= dx) { error += dx; y += stepY; }
    }
}

}  // namespace platform
