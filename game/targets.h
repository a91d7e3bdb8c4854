// Hit and ram boxes, each named for who hits whom, and what a hit does to its target. Private
// to the engine. A shot's band (its Y) picks the one target of a slot that is tested; the
// window (its X) then decides the hit.
#pragma once

#include "game/game.h"

namespace targets {

// An asteroid or enemy ship rams the ship, tested after its fall: strictly inside
// (ShipX - 8, ShipX + 32) x (ShipY - 8, ShipY + 32), the horizontal test first.
inline bool RamsShip(std::int32_t x, std::int32_t y) {
    return x > ShipX - 8 && x < ShipX + 32 && y > ShipY - 8 && y < ShipY + 32;
}

// Either kind of shot against an asteroid: the same box for both.
inline bool ShotInAsteroidBand(int j, std::int32_t y) { return y >= AsteroidY[j] && y <= AsteroidY[j] + 16; }
inline bool ShotInAsteroidWindow(int j, std::int32_t x) { return x > AsteroidX[j] - 4 && x < AsteroidX[j] + 14; }

// The player's shot against an enemy ship and an enemy shot.
inline bool PlayerShotInEnemyBand(int j, std::int32_t y) { return y >= EnemyY[j] - 6 && y <= EnemyY[j] + 16; }
// Narrower than the other windows on purpose: + 6, not + 14.
inline bool PlayerShotInEnemyWindow(int j, std::int32_t x) { return x > EnemyX[j] - 4 && x < EnemyX[j] + 6; }
inline bool PlayerShotInEnemyShotBand(int j, std::int32_t y) {
    return y >= EnemyShotY[j] - 6 && y <= EnemyShotY[j] + 6;
}
inline bool PlayerShotInEnemyShotWindow(int j, std::int32_t x) {
    return x > EnemyShotX[j] - 4 && x < EnemyShotX[j] + 14;
}

// An enemy shot against the ship and against an enemy ship (its band has no - 6 margin).
inline bool EnemyShotHitsShip(std::int32_t x, std::int32_t y) {
    return x > ShipX - 2 && x < ShipX + 24 && y > ShipY - 2 && y < ShipY + 24;
}
inline bool EnemyShotInEnemyBand(int j, std::int32_t y) { return y >= EnemyY[j] && y <= EnemyY[j] + 16; }
inline bool EnemyShotInEnemyWindow(int j, std::int32_t x) { return x > EnemyX[j] - 4 && x < EnemyX[j] + 14; }

// The asteroid leaves an explosion in its own slot, at its position of this frame.
inline void DestroyAsteroid(int j) {
    ExplosionY[j] = AsteroidY[j];
    ExplosionX[j] = AsteroidX[j];
    Host().PlaySound(AsteroidHitSlot);
}

// A hit enemy keeps its slot and position and breaks up from the next frame on.
inline void StartBreakUp(int j) { EnemyState[j] = 2; }

}  // namespace targets
