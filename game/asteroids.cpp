#include "game/chance.h"
#include "game/field.h"
#include "game/game.h"
#include "game/sprite_store.h"
#include "game/steps.h"
#include "game/targets.h"

namespace {

constexpr std::int32_t RamCost = 110;
constexpr std::int32_t SpawnBase = 44;  // chance 1 in (44 - TurboThrust) per free slot and frame
constexpr std::int32_t TurnImages = 30;  // image 31 closes the turn and is never shown

void SpawnTest(int j) {
    if (Draw(SpawnBase - TurboThrust, 1) != 1) return;
    AsteroidSpeed[j] = Draw(10, 1);
    AsteroidX[j] = Draw(FieldRight, 1);
    AsteroidY[j] = 1;
    AsteroidFrame[j] = 1;
}

void Fall(int j) {
    AsteroidY[j] += AsteroidSpeed[j] + TurboThrust;
    // Tested against where the ship stood last frame: the ship moves later in this one.
    if (targets::RamsShip(AsteroidX[j], AsteroidY[j])) {
        Shields -= RamCost;
        FreeAsteroid(j);
        Host().PlaySound(AsteroidHitSlot);
        return;
    }
    if (AsteroidY[j] > FieldBottom) {
        FreeAsteroid(j);
        return;
    }
    DrawSprite(frmGFX1().asteroid2, AsteroidFrame[j], AsteroidX[j], AsteroidY[j]);
    AsteroidFrame[j] += 1;
    if (AsteroidFrame[j] > TurnImages) AsteroidFrame[j] = 1;
}

}  // namespace

void MoveAsteroids() {
    for (int j = 0; j < AsteroidSlots; ++j) {
        if (InUse(AsteroidY[j])) Fall(j);
        else SpawnTest(j);
    }
}
