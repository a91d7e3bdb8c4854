// The enemy craft, 16 x 16: a grey wing bar across the top with a stem hanging down from it.
// enemy1f: rolling in ten steps (5 level); enemy1: breaking up in seven.
#include <cmath>

#include "tools/art/fire.h"
#include "tools/art/noise.h"
#include "tools/art/picture_registry.h"
#include "tools/art/solid.h"

namespace art {
namespace {

constexpr int Size = 16;
constexpr double CentreX = 8.0;  // over its shot: shots start at x + 6, the bolt two columns in
constexpr double CentreY = 8.0;
constexpr int LevelFrame = 5;
constexpr double FullBank = 50 * Pi / 180;

enum Material { Bar = 1, Stem, Eye, Tip };
constexpr double BarSweep = 0.025;

// The stem slopes down away from the wing, so in a roll its point swings across the picture.
Distance EnemyScene(Vec3 world, double roll) {
    const Vec3 p = Roll(world, -roll);
    const Vec3 side{std::fabs(p.x), p.y, p.z};
    Vec3 bar = p - Vec3{0, -3.4, 0};
    bar.y -= BarSweep * p.x * p.x;  // the ends sweep back a little
    const double wing = SdRoundBox(bar, {6.4, 2.1, 0.95}, 0.9);
    const double stem = SdRoundCone(p, {0, -2.2, -0.3}, {0, 6.8, -3.1}, 2.2, 0.6);
    const double body = SmoothUnion(wing, stem, 1.0);
    const double eye = SdEllipsoid(p - Vec3{0, -3.5, 0.95}, {1.5, 1.2, 0.9});
    const double tipY = -3.4 + BarSweep * 6.4 * 6.4;
    const double tip = SdCapsule(side, {6.4, tipY - 1.2, 0}, {6.4, tipY + 1.8, 0}, 1.35);
    Distance d{body, p.y > -1.2 && std::fabs(p.x) < 2.6 ? Stem : Bar};
    d = Closer(d, {eye, Eye});
    d = Closer(d, {tip, Tip});
    return d;
}

// light: how much of the lamp reaches the craft; it falls as the roll turns its back to it.
Paint ShadeEnemy(const Hit& hit, double roll, double light) {
    if (!hit.hit) return {};
    const Vec3 local = Roll(hit.point, -roll);
    const double diffuse = std::max(0.0, Dot(hit.normal, LightDirection()));
    Colour albedo = Rgb255(156, 160, 170);
    double specular = 0.12;  // a dull hull: its brightness follows the roll, not a glint
    Colour glow;
    switch (hit.material) {
        case Eye:
            albedo = Rgb255(90, 16, 20);
            glow = Rgb255(150, 20, 16);
            specular = 0.9;
            break;
        case Tip:
            albedo = Rgb255(110, 112, 122);
            break;
        case Stem:
            albedo = Rgb255(128, 132, 144);
            break;
        default:
            // A dark groove along the wing bar.
            if (std::fabs(local.y + 3.4 - BarSweep * local.x * local.x) < 0.35 && std::fabs(local.x) > 2.2) {
                albedo = Rgb255(88, 90, 100);
            }
            break;
    }
    const Colour shine = Colour{1, 1, 1} * (specular * light * Highlight(hit.normal, 22));
    return {albedo * ((0.2 + 0.95 * diffuse) * light) + shine + glow, 1};
}

double RollOfFrame(int frame) {
    if (frame < LevelFrame) return -FullBank * (LevelFrame - frame) / (LevelFrame - 1);
    return FullBank * (frame - LevelFrame) / (10 - LevelFrame);
}

Paint EnemyPaint(double x, double y, double roll, double light) {
    const Hit hit = CastDown([roll](Vec3 p) { return EnemyScene(p, roll); }, x - CentreX, y - CentreY);
    return ShadeEnemy(hit, roll, light);
}

std::vector<platform::Surface> PaintEnemy1f() {
    std::vector<platform::Surface> images;
    for (int frame = 1; frame <= 10; ++frame) {
        const double roll = RollOfFrame(frame);
        const double light = 1.25 - 0.07 * (frame - 1);
        images.push_back(
            Supersample(Size, Size, 4, [&](double x, double y) { return EnemyPaint(x, y, roll, light); }).ToSurface());
    }
    return images;
}

// The break-up, one line per image: a fire at the heart of the level craft, growing while
// the hull burns away, then loose debris.
struct BreakUp {
    double fireRadius;
    double fireHeat;
    double dissolve;  // hull kept where its noise is above this (-2 all of it, 2 none)
    double debris;  // 0: no debris; otherwise its brightness
    double spread;  // how far the debris has flown
};
constexpr BreakUp Steps[] = {
    {2.6, 0.42, -2.0, 0, 0},   {3.4, 0.58, -2.0, 0, 0},   {4.0, 0.95, -0.6, 0, 0},    {5.0, 1.00, 0.0, 0, 0},
    {5.8, 0.88, 0.55, 0, 0},   {6.2, 0.22, 2.0, 0.85, 1}, {6.6, 0.13, 2.0, 0.5, 1.3},
};

struct Fragment {
    double angle, distance, size;
};

std::vector<Fragment> Fragments() {
    Random random(4242);
    std::vector<Fragment> fragments;
    for (int i = 0; i < 12; ++i) {
        fragments.push_back({random.Range(0, 2 * Pi), random.Range(2.0, 5.5), random.Range(0.5, 0.95)});
    }
    return fragments;
}

platform::Surface Wreck(int step) {
    const BreakUp& b = Steps[step];
    static const std::vector<Fragment> fragments = Fragments();
    const auto seed = static_cast<std::uint32_t>(900 + step);
    return Supersample(Size, Size, 4, [&](double x, double y) {
               const double mx = x - CentreX, my = y - CentreY;
               Paint hull = EnemyPaint(x, y, 0, 1.0);
               if (hull.cover > 0 && Fbm3(mx * 0.45, my * 0.45, 1.5, 3, 55) * 2.4 < b.dissolve) hull = {};
               // The fire starts in the middle of the craft and swells up over the wing bar.
               const double cy = my + 1.0 + 0.12 * b.fireRadius;
               const double r2 = (mx * mx + cy * cy) / (b.fireRadius * b.fireRadius);
               const double flicker = 0.95 + 0.7 * Fbm3(mx * 0.5, my * 0.5, step * 1.3, 3, seed);
               double heat = b.fireHeat * std::exp(-r2 * 1.4) * flicker;
               // While the hull holds, the glow is inside it and shows only through it.
               if (b.dissolve < -1.5) heat *= hull.cover;
               Paint fire = FirePaint(heat);
               for (const Fragment& f : fragments) {
                   if (b.debris <= 0) break;
                   const double fx = std::cos(f.angle) * f.distance * b.spread;
                   const double fy = std::sin(f.angle) * f.distance * b.spread - 1;
                   if (std::fabs(mx - fx) < f.size && std::fabs(my - fy) < f.size * 0.8) {
                       fire = {Mix(Rgb255(70, 16, 10), Rgb255(175, 50, 22), f.size - 0.4) * b.debris, 1};
                   }
               }
               return Layer(fire, hull);
           })
        .ToSurface(0.25);
}

std::vector<platform::Surface> PaintEnemy1() {
    std::vector<platform::Surface> images;
    for (int step = 0; step < 7; ++step) images.push_back(Wreck(step));
    return images;
}

[[maybe_unused]] const bool flight = RegisterPictures("enemy1f", Size, Size, 10, PaintEnemy1f);
[[maybe_unused]] const bool breakUp = RegisterPictures("enemy1", Size, Size, 7, PaintEnemy1);

}  // namespace
}  // namespace art
