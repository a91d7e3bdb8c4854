// Hit and ram rules shared by the steps: what a shot does to its target, and the ram box.
#pragma once

#include "game/game.h"

namespace targets {

// The ram box of a falling asteroid or enemy ship, tested after its fall: strictly inside
// (ShipX - 8, ShipX + 32) x (ShipY - 8, ShipY + 32), the horizontal test first.
inline bool RamsShip(std::int32_t x, std::int32_t y) {
    return x > ShipX - 8 && x < ShipX + 32 && y > ShipY - 8 && y < ShipY + 32;
}

// The asteroid band and window, the same for both kinds of shot.
inline bool InAsteroidBand(int j, std::int32_t y) { return y >= AsteroidY[j] && y <= AsteroidY[j] + 16; }
inline bool InAsteroidWindow(int j, std::int32_t x) { return x > AsteroidX[j] - 4 && x < AsteroidX[j] + 14; }

// The asteroid leaves an explosion in its own slot, at its position of this frame.
inline void DestroyAsteroid(int j) {
    ExplosionY[j] = AsteroidY[j];
    ExplosionX[j] = AsteroidX[j];
    Host().PlaySound(AsteroidHitSlot);
}
inline void FreeAsteroid(int j) {
    AsteroidY[j] = FreeSlot;
    AsteroidFrame[j] = 1;
}

// A hit enemy keeps its slot and position and breaks up from the next frame on.
inline void StartBreakUp(int j) { EnemyState[j] = 2; }

}  // namespace targets
