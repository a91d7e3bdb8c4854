#include "platform/surface.h"

#include <algorithm>
#include <cstring>

namespace platform {

Surface::Surface(int width, int height, Pixel fill) : width_(0), height_(0) { Resize(width, height, fill); }

void Surface::Resize(int width, int height, Pixel fill) {
    width_ = std::max(width, 0);
    height_ = std::max(height, 0);
    pixels_.assign(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_), fill);
}

void Surface::Fill(Pixel colour) { std::fill(pixels_.begin(), pixels_.end(), colour); }

void BitBlt(Surface& dst, int dx, int dy, int width, int height, const Surface& src, int sx, int sy) {
    // Clip the rectangle against both surfaces, moving source and destination together.
    if (sx < 0) { dx -= sx; width += sx; sx = 0; }
    if (sy < 0) { dy -= sy; height += sy; sy = 0; }
    if (dx < 0) { sx -= dx; width += dx; dx = 0; }
    if (dy < 0) { sy -= dy; height += dy; dy = 0; }
    width = std::min({width, src.Width() - sx, dst.Width() - dx});
    height = std::min({height, src.Height() - sy, dst.Height() - dy});
    if (width <= 0 || height <= 0) return;
    for (int row = 0; row < height; ++row) {
        std::memcpy(dst.Row(dy + row) + dx, src.Row(sy + row) + sx, static_cast<std::size_t>(width) * sizeof(Pixel));
    }
}

}  // namespace platform
