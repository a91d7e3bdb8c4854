// asteroid2: a pitted grey-brown rock, 16 x 16, lit from the upper left and turned a
// thirtieth of a turn further in each image; image 31 has come round to image 1 again.
#include <cmath>

#include "tools/art/canvas.h"
#include "tools/art/noise.h"
#include "tools/art/picture_registry.h"
#include "tools/art/solid.h"

namespace art {
namespace {

constexpr int Size = 16;
constexpr int Steps = 30;
constexpr double Radius = 6.0;

struct Crater {
    Vec3 centre;  // unit direction from the rock's middle
    double size;  // angular radius
    double depth;
};

std::vector<Crater> Craters() {
    Random random(1103);
    std::vector<Crater> craters;
    // A few big craters, then many small pits.
    for (int i = 0; i < 21; ++i) {
        const bool big = i < 7;
        const double z = random.Range(-1, 1), a = random.Range(0, 2 * Pi);
        const double s = std::sqrt(1 - z * z);
        const double size = big ? random.Range(0.3, 0.6) : random.Range(0.12, 0.2);
        const double depth = big ? random.Range(0.55, 0.95) : random.Range(0.3, 0.5);
        craters.push_back({{s * std::cos(a), s * std::sin(a), z}, size, depth});
    }
    return craters;
}

// Lumps and craters over the sphere, in pixels, for a unit direction in the rock's own frame.
// Also reports how deep inside a crater the point lies (0 outside), for the darker floors.
double Relief(Vec3 dir, double* inCrater) {
    static const std::vector<Crater> craters = Craters();
    double h = 0.3 * Fbm3(dir.x * 1.8 + 5, dir.y * 1.8, dir.z * 1.8, 3, 17) +
               1.3 * Noise3(dir.x * 0.8, dir.y * 0.8 + 3, dir.z * 0.8, 23);
    double floor = 0;
    for (const Crater& c : craters) {
        const double angle = std::acos(std::clamp(Dot(dir, c.centre), -1.0, 1.0));
        const double t = angle / c.size;
        if (t < 1) {
            h -= c.depth * (1 - t * t);
            floor = std::max(floor, 1 - t);
        }
        h += c.depth * 0.45 * std::exp(-((t - 1) * (t - 1)) / 0.05);
    }
    if (inCrater) *inCrater = floor;
    return h;
}

const Vec3 SpinAxis = Normalize({0.55, 0.75, 0.35});

Paint RockPaint(double x, double y, double turn) {
    auto toRock = [turn](Vec3 p) { return Rotate(p, SpinAxis, -turn); };
    auto scene = [&](Vec3 p) {
        const double r = Length(p);
        if (r > Radius + 2) return Distance{r - Radius - 1.5, 1};
        return Distance{r - Radius - Relief(Normalize(toRock(p)), nullptr), 1};
    };
    const Hit hit = CastDown(scene, x - 8, y - 8, 10, 0.5);
    if (!hit.hit) return {};
    const Vec3 dir = Normalize(toRock(hit.point));
    double floor = 0;
    Relief(dir, &floor);
    // Grey-brown with paler and darker patches that turn with the rock.
    const double patch = Fbm3(dir.x * 1.5, dir.y * 1.5 + 9, dir.z * 1.5, 2, 41);
    Colour albedo = Mix(Rgb255(128, 108, 88), Rgb255(156, 144, 128), Clamp01(0.5 + patch * 1.6));
    albedo = Mix(albedo, Rgb255(82, 68, 56), Clamp01(-patch * 2.0));
    albedo = albedo * (1 - 0.3 * floor);
    const double diffuse = std::max(0.0, Dot(hit.normal, LightDirection()));
    return {albedo * (0.16 + 1.0 * diffuse) + Colour{1, 0.95, 0.85} * (0.15 * Highlight(hit.normal, 10)), 1};
}

std::vector<platform::Surface> PaintAsteroid2() {
    std::vector<platform::Surface> images;
    for (int i = 0; i <= Steps; ++i) {
        const double turn = 2 * Pi * i / Steps;
        images.push_back(Supersample(Size, Size, 4, [turn](double x, double y) { return RockPaint(x, y, turn); })
                             .ToSurface());
    }
    return images;
}

[[maybe_unused]] const bool registered = RegisterPictures("asteroid2", Size, Size, Steps + 1, PaintAsteroid2);

}  // namespace
}  // namespace art
