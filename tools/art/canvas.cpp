#include "tools/art/canvas.h"

#include <cmath>

namespace art {

void Canvas::Over(int x, int y, Colour colour, double cover) {
    if (!Contains(x, y) || cover <= 0) return;
    cover = std::min(cover, 1.0);
    Paint& p = At(x, y);
    p.colour = colour * cover + p.colour * (1 - cover);
    p.cover = cover + p.cover * (1 - cover);
}

void Canvas::Glow(int x, int y, Colour light) {
    if (!Contains(x, y)) return;
    Paint& p = At(x, y);
    p.colour = p.colour + light;
    p.cover = std::min(1.0, p.cover + std::max({light.r, light.g, light.b}) * 2);
}

void Canvas::Over(const Canvas& top) {
    for (std::size_t i = 0; i < cells_.size(); ++i) cells_[i] = Layer(top.cells_[i], cells_[i]);
}

platform::Surface Canvas::ToSurface(double minCover) const {
    platform::Surface out(width_, height_);
    auto channel = [](double v) { return static_cast<int>(std::lround(Clamp01(v) * 255)); };
    for (int y = 0; y < height_; ++y) {
        for (int x = 0; x < width_; ++x) {
            const Paint& p = At(x, y);
            if (p.cover < minCover) continue;
            platform::Pixel pixel = platform::Rgb(channel(p.colour.r), channel(p.colour.g), channel(p.colour.b));
            // Exact black is the transparent colour: a painted pixel that dark stays just above it.
            if (pixel == platform::Black) pixel = platform::Rgb(1, 0, 0);
            out.Set(x, y, pixel);
        }
    }
    return out;
}

}  // namespace art
