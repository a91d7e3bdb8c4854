#include "game/game.h"
#include "game/sprite_store.h"
#include "game/steps.h"
#include "game/targets.h"

namespace {

constexpr std::int32_t TopOfField = 1;  // a shot whose new Y is less than this leaves
constexpr std::int32_t EnemyPoints = 100;
constexpr std::int32_t EnemyShotPoints = 10;

// Tests shot i against slots 0 to 5 of the targets; true when it hit something. In each slot
// the shot's Y alone picks the one target that is tested: a band that matches blocks the
// targets after it in that slot, hit or not.
bool HitSomething(int i) {
    const std::int32_t y = ShotY[i];
    const std::int32_t x = ShotX[i];
    for (int j = 0; j < UsedSlots; ++j) {
        if (targets::ShotInAsteroidBand(j, y)) {
            if (!targets::ShotInAsteroidWindow(j, x)) continue;
            targets::DestroyAsteroid(j);
            FreeShot(i);
            FreeAsteroid(j);
            return true;
        }
        if (targets::PlayerShotInEnemyBand(j, y)) {
            // An enemy that is breaking up lets the shot pass.
            if (!targets::PlayerShotInEnemyWindow(j, x) || EnemyState[j] != 1) continue;
            targets::StartBreakUp(j);
            Score += EnemyPoints;
            Host().PlaySound(EnemyHitSlot);
            FreeShot(i);
            return true;
        }
        if (targets::PlayerShotInEnemyShotBand(j, y) && targets::PlayerShotInEnemyShotWindow(j, x)) {
            Score += EnemyShotPoints;
            FreeEnemyShot(j);
            FreeShot(i);
            return true;
        }
    }
    return false;
}

}  // namespace

void MoveShots() {
    for (int i = 0; i < PlayerShotSlots; ++i) {
        if (!InUse(ShotY[i])) continue;
        ShotY[i] -= ShotSpeed - TurboThrust;
        if (ShotY[i] < TopOfField) {
            FreeShot(i);
            continue;
        }
        // Drawn before its hit tests, so a shot that hits is seen at the place of the hit.
        DrawSprite(frmGFX1().weapon1, ShotFrame[i], ShotX[i], ShotY[i]);
        ShotFrame[i] += 1;
        if (ShotFrame[i] > 4) ShotFrame[i] = 3;
        HitSomething(i);
    }
}
