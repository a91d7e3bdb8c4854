// Explosion1: a shot-down asteroid's burst of grey and white specks, 16 x 16, thinning out
// from a dense bright cloud (1) to a few dark specks (4).
#include <cmath>

#include "tools/art/canvas.h"
#include "tools/art/noise.h"
#include "tools/art/picture_registry.h"
#include "tools/art/solid.h"

namespace art {
namespace {

constexpr int Size = 16;

struct Speck {
    double angle, speed, shade, keep;
};

struct Stage {
    double reach;  // how far the fastest speck has flown, pixels
    double kept;  // share of the specks still seen
    double bright, dark;  // shade range of the specks
};
constexpr Stage Stages[] = {
    {4.4, 1.00, 1.00, 0.70},
    {5.8, 0.55, 0.85, 0.40},
    {6.7, 0.34, 0.66, 0.34},
    {7.4, 0.12, 0.32, 0.18},
};

std::vector<Speck> Specks() {
    Random random(1110);
    std::vector<Speck> specks;
    for (int i = 0; i < 90; ++i) {
        specks.push_back({random.Range(0, 2 * Pi), 0.1 + 0.9 * std::sqrt(random.Uniform()), random.Uniform(),
                          random.Uniform()});
    }
    return specks;
}

platform::Surface Burst(const Stage& stage) {
    static const std::vector<Speck> specks = Specks();
    Canvas canvas(Size, Size);
    for (const Speck& s : specks) {
        if (s.keep > stage.kept) continue;
        const double r = stage.reach * s.speed;
        const int x = static_cast<int>(std::floor(8 + std::cos(s.angle) * r));
        const int y = static_cast<int>(std::floor(8 + std::sin(s.angle) * r));
        const double shade = stage.dark + (stage.bright - stage.dark) * s.shade;
        // The hottest specks are white with a hint of warmth; the rest neutral grey.
        const Colour c = Mix(Colour{shade, shade, shade * 1.04}, Colour{1, 0.97, 0.9}, shade > 0.9 ? 0.6 : 0);
        canvas.Over(x, y, c, 1);
        if (shade > 0.85) {  // the brightest specks are bigger, with a dimmer halo
            canvas.Over(x + 1, y, c * 0.75, 1);
            canvas.Over(x, y + 1, c * 0.65, 1);
        }
    }
    return canvas.ToSurface();
}

std::vector<platform::Surface> PaintExplosion1() {
    std::vector<platform::Surface> images;
    for (int i = 0; i < 4; ++i) images.push_back(Burst(Stages[i]));
    return images;
}

[[maybe_unused]] const bool registered = RegisterPictures("Explosion1", Size, Size, 4, PaintExplosion1);

}  // namespace
}  // namespace art
