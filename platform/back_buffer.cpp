#include "platform/back_buffer.h"

#include <cmath>
#include <cstdlib>

#include "platform/font.h"

namespace platform {

void BackBuffer::Print(std::string_view text) { textX_ = BoldSans11().Draw(*this, textX_, textY_, text, fore_); }

void BackBuffer::Line(float x1, float y1, float x2, float y2) {
    // Bresenham between the rounded end points; the gauge lines are all horizontal, but any
    // direction works and everything outside the buffer is clipped.
    int x = static_cast<int>(std::lround(x1));
    int y = static_cast<int>(std::lround(y1));
    const int xEnd = static_cast<int>(std::lround(x2));
    const int yEnd = static_cast<int>(std::lround(y2));
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
