// weapon1: the shots, 8 x 8. 1 to 4 the player's bolt turning to flame as it climbs, 5 and 6
// a burst, 7 the enemy's blue bolt. Player bolts fill columns 3 and 4, so the two guns
// (shots at the ship's x + 8 and x + 15) fire from either side of the nose.
#include <cmath>

#include "tools/art/fire.h"
#include "tools/art/noise.h"
#include "tools/art/picture_registry.h"

namespace art {
namespace {

constexpr int Size = 8;

// A bolt of solid pixels from (left, top), width x height, its colour running from head to
// tail; the left column takes the light.
platform::Surface Bolt(int left, int top, int width, int height, bool headOnTop, Colour head, Colour tail) {
    Canvas canvas(Size, Size);
    for (int row = 0; row < height; ++row) {
        const double along = static_cast<double>(headOnTop ? row : height - 1 - row) / std::max(1, height - 1);
        for (int col = 0; col < width; ++col) {
            const double edge = width > 2 ? std::fabs(col - (width - 1) / 2.0) / ((width - 1) / 2.0) : 0;
            Colour c = Mix(head, tail, along);
            c = c * (1.06 - 0.12 * col / std::max(1, width - 1));  // light from the left
            c = Mix(c, tail * 0.8, edge * 0.5);  // a wide flame is hottest in its middle
            canvas.Over(left + col, top + row, c, 1);
        }
    }
    return canvas.ToSurface();
}

// The wide flame: hot core columns, cooler outer ones that start a row lower.
platform::Surface WideFlame() {
    Canvas canvas(Size, Size);
    for (int row = 0; row < 4; ++row) {
        for (int col = 2; col <= 5; ++col) {
            const bool outer = col == 2 || col == 5;
            if (outer && row == 0) continue;
            const double heat = (outer ? 0.62 : 0.95) - 0.09 * row;
            canvas.Over(col, 2 + row, FireColour(heat), 1);
        }
    }
    canvas.Over(2, 2, FireColour(0.4), 1);
    canvas.Over(5, 2, FireColour(0.35), 1);
    return canvas.ToSurface();
}

// A ragged ball of red-orange flame six pixels across (columns 1 to 6); the later one is
// looser and cooler.
platform::Surface Burst(double heat, double radius, std::uint32_t seed) {
    return Supersample(Size, Size, 4, [&](double x, double y) {
               const double dx = x - 4, dy = y - 4;
               if (std::fabs(dx) > 3 || std::fabs(dy) > 3) return Paint{};
               const double r = std::sqrt(dx * dx + dy * dy) / radius;
               const double grain = 0.5 + 0.9 * Fbm3(x * 0.9, y * 0.9, 0.3, 2, seed);
               const double h = heat * std::max(0.0, 1 - r * r) * grain;
               return FirePaint(h);
           })
        .ToSurface(0.35);
}

std::vector<platform::Surface> PaintWeapon1() {
    const Colour orange = Rgb255(255, 150, 48), ember = Rgb255(190, 64, 14);
    return {
        Bolt(3, 2, 2, 4, true, orange, ember),
        Bolt(3, 2, 2, 4, true, Rgb255(255, 172, 70), Rgb255(205, 78, 18)),
        Bolt(3, 2, 2, 4, true, Rgb255(255, 248, 190), Rgb255(255, 150, 36)),
        WideFlame(),
        Burst(1.15, 3.1, 31),
        Burst(0.85, 3.3, 37),
        // Falls down the screen: the head is at the bottom. Columns 1 and 2 put it under the
        // middle of the enemy that fires it (shots start at the enemy's x + 6).
        Bolt(1, 1, 2, 6, false, Rgb255(200, 235, 255), Rgb255(30, 60, 210)),
    };
}

[[maybe_unused]] const bool registered = RegisterPictures("weapon1", Size, Size, 7, PaintWeapon1);

}  // namespace
}  // namespace art
