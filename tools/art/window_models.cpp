#include "tools/art/window_models.h"

#include <cmath>

#include "tools/art/noise.h"
#include "tools/art/ship_model.h"

namespace art {
namespace {

// Thin dark lines where the hull plates meet, every spacing units along y.
bool OnPanelSeam(double along, double spacing, double width) {
    const double f = along / spacing - std::floor(along / spacing);
    return f < width / spacing;
}

Material PlayerShipMaterial(Vec3 p, int material) {
    Material m;
    const double side = std::fabs(p.x);
    switch (material) {
        case ShipCanopy:
            m.albedo = Rgb255(30, 70, 160);
            m.specular = 1.4;
            m.power = 60;
            m.mirror = 0.55;
            break;
        case ShipPod:
            m.albedo = Rgb255(120, 132, 158);
            if (p.y > -4.4 && p.y < -2.9) m.albedo = Rgb255(205, 40, 30);  // the red band behind each nose
            if (OnPanelSeam(p.y + 0.5, 3.6, 0.18) && p.y > -1) m.albedo = m.albedo * 0.7;
            break;
        case ShipNozzle:
            m.albedo = Rgb255(62, 54, 58);
            m.specular = 0.2;
            // The throat of the nozzle still glows from the burn.
            if (p.y > ShipPodRear + 0.1) m.emission = Rgb255(255, 120, 40) * 0.9;
            break;
        case ShipGun:
            m.albedo = Rgb255(88, 92, 104);
            m.specular = 0.9;
            m.power = 36;
            break;
        case ShipWing:
            m.albedo = side > 7.6 ? Rgb255(150, 155, 175) : Rgb255(172, 180, 198);
            // A red stripe along each wing's leading edge.
            if (p.z > 0 && side > 4.5 && side < 7.4 && std::fabs(p.y - 3.2 - 0.55 * (side - 7.0)) < 0.45) {
                m.albedo = Rgb255(200, 44, 34);
            }
            break;
        default:
            m.albedo = Rgb255(214, 218, 228);
            if (side < 0.45 && p.y > 1.0 && p.z > 0) m.albedo = Rgb255(120, 126, 142);  // the spine seam
            if (OnPanelSeam(p.y + 14, 4.0, 0.2) && p.y > -12) m.albedo = m.albedo * 0.78;
            break;
    }
    return m;
}

// The enemy's wing bar sweeps back toward its ends, where the tip pods sit.
constexpr double BarSweep = 0.025;
constexpr double BarHalfSpan = 6.4;
constexpr double TipY = -3.4 + BarSweep * BarHalfSpan * BarHalfSpan;
constexpr Vec3 EyeCentre{0, -3.5, 0.95};
enum EnemyMaterial { Bar = 1, Stem, Eye, Tip, Barrel, Vane };

Distance EnemyScene(Vec3 p) {
    const Vec3 side{std::fabs(p.x), p.y, p.z};
    Vec3 bar = p - Vec3{0, -3.4, 0};
    bar.y -= BarSweep * p.x * p.x;
    const double wing = SdRoundBox(bar, {BarHalfSpan, 2.1, 0.95}, 0.9);
    const double stem = SdRoundCone(p, {0, -2.2, -0.3}, {0, 6.8, -3.1}, 2.2, 0.6);
    const double body = SmoothUnion(wing, stem, 1.0);
    const double eye = SdEllipsoid(p - EyeCentre, {1.5, 1.2, 0.9});
    const double tip = SdCapsule(side, {BarHalfSpan, TipY - 1.2, 0}, {BarHalfSpan, TipY + 1.8, 0}, 1.35);
    const double barrel = SdCapsule(p, {0, 6.0, -2.75}, {0, 8.6, -3.35}, 0.32);
    // Two small vanes under the wing, either side of the stem.
    const double vane = SdRoundBox(side - Vec3{2.6, -1.6, -1.3}, {0.18, 1.2, 0.7}, 0.12);
    Distance d{body, p.y > -1.2 && std::fabs(p.x) < 2.6 ? Stem : Bar};
    d = Closer(d, {eye, Eye});
    d = Closer(d, {tip, Tip});
    d = Closer(d, {barrel, Barrel});
    d = Closer(d, {vane, Vane});
    return d;
}

Material EnemyMaterial(Vec3 p, int material) {
    Material m;
    m.specular = 0.3;
    m.power = 18;
    switch (material) {
        case Eye:
            m.albedo = Rgb255(90, 16, 20);
            m.emission = Rgb255(170, 24, 18);
            m.specular = 1.3;
            m.power = 50;
            m.mirror = 0.2;
            break;
        case Tip:
            m.albedo = Rgb255(110, 112, 122);
            // Red warning paint on the noses of the tips, which lead toward the player.
            if (p.y > TipY + 1.8) m.albedo = Rgb255(150, 30, 26);
            break;
        case Stem:
            m.albedo = Rgb255(128, 132, 144);
            if (OnPanelSeam(p.y, 2.4, 0.16)) m.albedo = m.albedo * 0.72;
            break;
        case Barrel:
            m.albedo = Rgb255(60, 62, 70);
            m.specular = 0.8;
            m.power = 30;
            break;
        case Vane:
            m.albedo = Rgb255(96, 98, 110);
            break;
        default:
            m.albedo = Rgb255(156, 160, 170);
            // The dark groove along the wing bar.
            if (std::fabs(p.y + 3.4 - BarSweep * p.x * p.x) < 0.35 && std::fabs(p.x) > 2.2)
                m.albedo = Rgb255(70, 72, 82);
            break;
    }
    return m;
}

}  // namespace

Solid PlayerShipSolid() {
    return {[](Vec3 p) { return ShipScene(p, 0); }, PlayerShipMaterial, {0, -1.5, 0}, 15.5, 0.75};
}

std::vector<GlowTrail> PlayerShipExhaust(double length, double strength) {
    std::vector<GlowTrail> trails;
    for (const double side : {-1.0, 1.0}) {
        const Vec3 nozzle{side * ShipPodOffset, ShipPodRear + 0.5, 0};
        trails.push_back({nozzle, nozzle + Vec3{0, length, 0}, 1.5, Rgb255(255, 110, 30) * strength});
        trails.push_back({nozzle, nozzle + Vec3{0, length * 0.45, 0}, 0.7, Rgb255(255, 240, 200) * strength});
    }
    return trails;
}

Solid EnemyFighterSolid() { return {EnemyScene, EnemyMaterial, {0, 0.5, -0.8}, 10.5, 0.75}; }

std::vector<GlowTrail> EnemyEyeGlow() {
    // A trail with both ends on the top of the eye glows as a ball.
    const Vec3 top = EyeCentre + Vec3{0, 0, 0.95};
    return {{top, top, 1.5, Rgb255(255, 40, 20) * 0.55}};
}

Solid AsteroidSolid(double radius, std::uint32_t seed) {
    const double scale = 1 / radius;
    auto scene = [=](Vec3 p) {
        const Vec3 q = p * scale;
        const double lumps = 0.22 * Fbm3(q.x, q.y, q.z, 4, seed);
        // Squashed a little so it is no ball.
        const double d = SdEllipsoid(q, {1.0, 0.82, 0.9}) + lumps;
        return Distance{d / scale, 1};
    };
    auto material = [=](Vec3 p, int) {
        const Vec3 q = p * (scale * 3);
        const double grain = 0.5 + 0.5 * Fbm3(q.x, q.y, q.z, 3, seed + 1);
        Material m;
        m.albedo = Mix(Rgb255(82, 70, 60), Rgb255(150, 134, 116), grain);
        m.specular = 0.06;
        m.power = 8;
        return m;
    };
    return {scene, material, {0, 0, 0}, radius * 1.25, 0.55};
}

Lighting StudioLighting() {
    Lighting l;
    l.lamps = {
        {Normalize({-0.55, -0.6, 0.75}), Rgb255(255, 240, 215) * 1.05, true},
        {Normalize({0.8, 0.2, 0.15}), Rgb255(70, 90, 150) * 0.7, false},
    };
    l.ambient = Rgb255(40, 42, 58);
    l.rim = Rgb255(120, 150, 255) * 0.55;
    l.skyTop = Rgb255(190, 210, 255);
    l.skyBottom = Rgb255(10, 12, 30);
    return l;
}

Camera OrbitCamera(Vec3 target, double yaw, double pitch, double bank, double distance, double focal, double centreX,
                   double centreY) {
    const Vec3 out{std::sin(yaw) * std::cos(pitch), -std::cos(yaw) * std::cos(pitch), std::sin(pitch)};
    const Vec3 forward = out * -1;
    // Deck up in the picture, unless the eye is straight overhead: then the nose is up.
    const Vec3 deck = std::fabs(out.z) > 0.999 ? Vec3{0, -1, 0} : Vec3{0, 0, 1};
    return Camera(target + out * distance, target, Rotate(deck, forward, bank), focal, centreX, centreY);
}

}  // namespace art
