#include "tools/art/window_backdrop.h"

#include <cmath>

#include "tools/art/noise.h"

namespace art {

void PaintBlack(Canvas& canvas, int top) {
    for (int y = std::max(0, top); y < canvas.Height(); ++y) {
        for (int x = 0; x < canvas.Width(); ++x) canvas.At(x, y) = {Colour{}, 1};
    }
}

void PaintStars(Canvas& canvas, std::uint64_t seed, int count, int top, const std::vector<Area>& clear) {
    Random random(seed);
    for (int i = 0; i < count; ++i) {
        const double x = random.Range(0, canvas.Width());
        const double y = random.Range(top, canvas.Height());
        const double brightness = std::pow(random.Uniform(), 2.6);
        const double hue = random.Uniform();
        bool kept = true;
        for (const Area& area : clear) kept = kept && !area.Holds(x, y);
        if (!kept) continue;
        // Most stars are white; a few lean blue or gold.
        Colour tint{1, 1, 1};
        if (hue < 0.2) tint = Rgb255(170, 195, 255);
        if (hue > 0.85) tint = Rgb255(255, 225, 170);
        const int px = static_cast<int>(x), py = static_cast<int>(y);
        const double level = 0.18 + 0.82 * brightness;
        canvas.Glow(px, py, tint * level);
        if (brightness > 0.55) {
            // A short cross of light round the brightest.
            const int arm = brightness > 0.85 ? 3 : 1;
            for (int d = 1; d <= arm; ++d) {
                const Colour spill = tint * (level * 0.55 / d);
                canvas.Glow(px - d, py, spill);
                canvas.Glow(px + d, py, spill);
                canvas.Glow(px, py - d, spill);
                canvas.Glow(px, py + d, spill);
            }
        }
    }
}

void PaintNebula(Canvas& canvas, double cx, double cy, double radius, Colour colour, std::uint32_t seed) {
    const int x0 = std::max(0, static_cast<int>(cx - radius)),
              x1 = std::min(canvas.Width(), static_cast<int>(cx + radius));
    const int y0 = std::max(0, static_cast<int>(cy - radius)),
              y1 = std::min(canvas.Height(), static_cast<int>(cy + radius));
    for (int y = y0; y < y1; ++y) {
        for (int x = x0; x < x1; ++x) {
            const double dx = (x - cx) / radius, dy = (y - cy) / radius;
            const double fall = std::max(0.0, 1 - std::sqrt(dx * dx + dy * dy));
            if (fall <= 0) continue;
            const double cloud = Clamp01(0.5 + 0.9 * Fbm3(x * 0.018, y * 0.018, 0.3, 4, seed));
            const double light = fall * fall * cloud * cloud;
            canvas.Glow(x, y, colour * light);
        }
    }
}

void PlaceOver(Canvas& base, const Canvas& top, int x, int y) {
    for (int row = 0; row < top.Height(); ++row) {
        for (int col = 0; col < top.Width(); ++col) {
            if (!base.Contains(x + col, y + row)) continue;
            Paint& under = base.At(x + col, y + row);
            under = Layer(top.At(col, row), under);
        }
    }
}

}  // namespace art
