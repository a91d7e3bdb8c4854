#include "game/field.h"
#include "game/game.h"
#include "game/sprite_store.h"
#include "game/steps.h"
#include "game/targets.h"

namespace {

constexpr std::int32_t EnemyShotFall = 10;  // plus the turbo thrust
constexpr std::int32_t ShipHitCost = 90;
constexpr int EnemyShotImage = 7;

// Tests shot i against asteroids and enemy ships of slots 0 to 5; it never scores.
void HitTargets(int i) {
    const std::int32_t y = EnemyShotY[i];
    const std::int32_t x = EnemyShotX[i];
    for (int j = 0; j < UsedSlots; ++j) {
        if (targets::ShotInAsteroidBand(j, y)) {
            if (!targets::ShotInAsteroidWindow(j, x)) continue;
            targets::DestroyAsteroid(j);
            FreeEnemyShot(i);
            FreeAsteroid(j);
            return;
        }
        if (targets::EnemyShotInEnemyBand(j, y) && targets::EnemyShotInEnemyWindow(j, x) && EnemyState[j] == 1) {
            targets::StartBreakUp(j);
            Host().PlaySound(EnemyHitSlot);
            FreeEnemyShot(i);
            return;
        }
    }
}

}  // namespace

void MoveEnemyShots() {
    for (int i = 0; i < UsedSlots; ++i) {
        if (!InUse(EnemyShotY[i])) continue;
        EnemyShotY[i] += EnemyShotFall + TurboThrust;
        if (targets::EnemyShotHitsShip(EnemyShotX[i], EnemyShotY[i])) {
            // Whether the ship is destroyed is decided at the end of the frame.
            Shields -= ShipHitCost;
            FreeEnemyShot(i);
            continue;
        }
        if (EnemyShotY[i] > FieldBottom) {
            FreeEnemyShot(i);
            continue;
        }
        DrawSprite(frmGFX1().weapon1, EnemyShotImage, EnemyShotX[i], EnemyShotY[i]);
        HitTargets(i);
    }
}
