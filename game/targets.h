// What a shot that hits does to its target; shared by the player's and the enemies' shots.
#pragma once

#include "game/game.h"

namespace targets {

// The asteroid band and window, the same for both kinds of shot.
inline bool InAsteroidBand(int j, std::int32_t y) { return y >= AsteroidY[j] && y <= AsteroidY[j] + 16; }
inline bool InAsteroidWindow(int j, std::int32_t x) { return x > AsteroidX[j] - 4 && x < AsteroidX[j] + 14; }

// The asteroid leaves an explosion in its own slot, at its position of this frame.
inline void DestroyAsteroid(int j) {
    ExplosionY[j] = AsteroidY[j];
    ExplosionX[j] = AsteroidX[j];
    Host().PlaySound(5);
}
inline void FreeAsteroid(int j) {
    AsteroidY[j] = FreeSlot;
    AsteroidFrame[j] = 1;
}

// A hit enemy keeps its slot and position and breaks up from the next frame on.
inline void StartBreakUp(int j) { EnemyState[j] = 2; }

}  // namespace targets
