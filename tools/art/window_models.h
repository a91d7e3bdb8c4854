// The two craft as solids for the window pictures, posed and lit like studio renders.
// Model axes as in the sprites: x to starboard, y from nose to tail, z up off the deck.
#pragma once

#include <cstdint>
#include <vector>

#include "tools/art/window_render.h"

namespace art {

// The player's ship, the same hull as its sprites, with the finer paint a close view shows.
Solid PlayerShipSolid();
// Its two exhausts, reaching length model units behind the nozzles: an orange flame
// round a white-hot core.
std::vector<GlowTrail> PlayerShipExhaust(double length, double strength = 1);

// The enemy fighter: the wing bar with its red eye, and the stem that carries its gun.
Solid EnemyFighterSolid();
// The red glow round its eye.
std::vector<GlowTrail> EnemyEyeGlow();

// A lumpy grey-brown rock of about the given radius round the origin.
Solid AsteroidSolid(double radius, std::uint32_t seed);

// The lamps of the window pictures: a warm key from the upper left front, a cold fill
// from the other side and a rim of light from behind.
Lighting StudioLighting();

// Camera on a sphere around target: yaw turns round the ship (0 = in front of the nose,
// positive toward starboard), pitch raises the eye above the deck, bank turns the picture.
Camera OrbitCamera(Vec3 target, double yaw, double pitch, double bank, double distance, double focal, double centreX,
                   double centreY);

}  // namespace art
