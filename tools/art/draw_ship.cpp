// ship1: the player's ship rolling (1 to 21, level at 10) and breaking up (22 to 27).
#include <cmath>

#include "tools/art/fire.h"
#include "tools/art/noise.h"
#include "tools/art/picture_registry.h"
#include "tools/art/ship_model.h"

namespace art {
namespace {

constexpr int Size = 32;
constexpr int LevelPose = 10;
constexpr int LastPose = 21;
constexpr double FullBank = 78 * Pi / 180;

// Pose 1 and pose 21 are the full banks either way; pose 10 is level.
double RollOfPose(int pose) {
    if (pose < LevelPose) return -FullBank * (LevelPose - pose) / (LevelPose - 1);
    return FullBank * (pose - LevelPose) / (LastPose - LevelPose);
}

platform::Surface Pose(int pose) {
    const double roll = RollOfPose(pose);
    return Supersample(Size, Size, 4, [roll](double x, double y) {
               return ShipPaint(x - ShipCentreX, y - ShipCentreY, roll, 1.0);
           })
        .ToSurface();
}

// One step of the break-up: how far the fire has spread over the level ship.
struct BreakUp {
    double radius;  // of each fire
    double heat;  // at the heart of each fire
    int fires;  // how many of the fire places below are burning
    double dissolve;  // hull left where its noise is above this (-2 all of it, 2 none)
    double charring;  // how far the hull left is blackened
};

// 22: fire breaks out on the pods; 23 to 25: it spreads as the hull goes; 26, 27: a red glow.
constexpr BreakUp Steps[] = {
    {2.8, 0.80, 2, -2.0, 0.00}, {3.6, 0.95, 4, -0.55, 0.30}, {4.6, 1.00, 6, -0.15, 0.50},
    {5.6, 0.95, 6, 0.30, 0.70}, {6.2, 0.42, 6, 2.0, 1.00},   {6.6, 0.27, 6, 2.0, 1.00},
};

// Pods first, then the wing roots, then the fuselage.
constexpr double FirePlaces[][2] = {{-ShipPodOffset, 1}, {ShipPodOffset, 1}, {-6, 5}, {6, 5}, {0, 2}, {0, -6}};

platform::Surface Wreck(int step) {
    const BreakUp& b = Steps[step];
    const auto seed = static_cast<std::uint32_t>(700 + step);
    return Supersample(Size, Size, 4, [&](double x, double y) {
               const double mx = x - ShipCentreX, my = y - ShipCentreY;
               Paint hull = ShipPaint(mx, my, 0, 0);
               if (hull.cover > 0) {
                   if (Fbm3(mx * 0.3, my * 0.3, 0.5, 3, 77) * 2.2 < b.dissolve) {
                       hull = {};
                   } else {
                       hull.colour = Mix(hull.colour, Rgb255(40, 26, 22) * hull.cover, b.charring);
                   }
               }
               double heat = 0;
               for (int i = 0; i < b.fires; ++i) {
                   const double dx = mx - FirePlaces[i][0], dy = my - FirePlaces[i][1];
                   heat = std::max(heat, b.heat * std::exp(-(dx * dx + dy * dy) / (b.radius * b.radius)));
               }
               heat *= 0.35 + 1.2 * (0.5 + Fbm3(mx * 0.4, my * 0.4, step * 1.7, 3, seed));
               return Layer(FirePaint(heat), hull);
           })
        .ToSurface();
}

std::vector<platform::Surface> PaintShip1() {
    std::vector<platform::Surface> images;
    for (int pose = 1; pose <= LastPose; ++pose) images.push_back(Pose(pose));
    for (int step = 0; step < 6; ++step) images.push_back(Wreck(step));
    return images;
}

[[maybe_unused]] const bool registered = RegisterPictures("ship1", Size, Size, 27, PaintShip1);

}  // namespace
}  // namespace art
