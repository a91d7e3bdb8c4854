#include "game/game.h"
#include "game/sprite_store.h"
#include "game/steps.h"
#include "game/targets.h"

namespace {

constexpr std::int32_t EnemyShotFall = 10;  // plus the turbo thrust
constexpr std::int32_t ShipHitCost = 90;
constexpr std::int32_t BottomOfField = 300;  // a shot whose new Y is greater than this leaves
constexpr int EnemyShotImage = 7;

bool HitsShip(std::int32_t x, std::int32_t y) {
    return x > ShipX - 2 && x < ShipX + 24 && y > ShipY - 2 && y < ShipY + 24;
}

bool InEnemyBand(int j, std::int32_t y) { return y >= EnemyY[j] && y <= EnemyY[j] + 16; }
bool InEnemyWindow(int j, std::int32_t x) { return x > EnemyX[j] - 4 && x < EnemyX[j] + 14; }

// Tests shot i against asteroids and enemy ships of slots 0 to 5; it never scores.
void HitTargets(int i) {
    const std::int32_t y = EnemyShotY[i];
    const std::int32_t x = EnemyShotX[i];
    for (int j = 0; j < UsedSlots; ++j) {
        if (targets::InAsteroidBand(j, y)) {
            if (!targets::InAsteroidWindow(j, x)) continue;
            targets::DestroyAsteroid(j);
            EnemyShotY[i] = FreeSlot;
            targets::FreeAsteroid(j);
            return;
        }
        if (InEnemyBand(j, y) && InEnemyWindow(j, x) && EnemyState[j] == 1) {
            targets::StartBreakUp(j);
            Host().PlaySound(EnemyHitSlot);
            EnemyShotY[i] = FreeSlot;
            return;
        }
    }
}

}  // namespace

void MoveEnemyShots() {
    for (int i = 0; i < UsedSlots; ++i) {
        if (!InUse(EnemyShotY[i])) continue;
        EnemyShotY[i] += EnemyShotFall + TurboThrust;
        if (HitsShip(EnemyShotX[i], EnemyShotY[i])) {
            // Whether the ship is destroyed is decided at the end of the frame.
            Shields -= ShipHitCost;
            EnemyShotY[i] = FreeSlot;
            continue;
        }
        if (EnemyShotY[i] > BottomOfField) {
            EnemyShotY[i] = FreeSlot;
            continue;
        }
        DrawSprite(frmGFX1().weapon1, EnemyShotImage, EnemyShotX[i], EnemyShotY[i]);
        HitTargets(i);
    }
}
