#include "game/chance.h"
#include "game/field.h"
#include "game/game.h"
#include "game/sprite_store.h"
#include "game/steps.h"
#include "game/targets.h"

namespace {

constexpr std::int32_t RamCost = 100;
constexpr std::int32_t LowLevel = 30;  // below ShipY - 30 every enemy turns into a fast dodger
constexpr std::int32_t ChaseLevel = 50;  // chasers steer only above ShipY - 50
constexpr std::int32_t ChaseAim = 9;  // chasers home in on ShipX + 9
constexpr std::int32_t DodgePivot = 8;  // dodgers slide away from ShipX + 8
constexpr std::int32_t LeftLimit = 10;
constexpr std::int32_t LastBreakUpImage = 6;
constexpr std::int32_t LevelLean = 5;
constexpr std::int32_t SpawnOdds = 54;

void SpawnRoll(int i) {
    if (Draw(SpawnOdds, 1) != 1) return;
    EnemyX[i] = Draw(FieldRight, LeftLimit);  // 10 to 459: the limits bind only a steered enemy
    EnemyY[i] = 1;
    EnemySpeedY[i] = Draw(3, 1);
    EnemyDodge[i] = Draw(10, 1);
    EnemySpeedX[i] = Draw(5, 1);
    EnemyState[i] = 1;
    // Frame is kept: a new enemy starts with the lean its slot last had.
}

void Fire(int i) {
    if (EnemyY[i] < ShipY && EnemyX[i] > ShipX - 8 && EnemyX[i] < ShipX + 20 && !InUse(EnemyShotY[i]) &&
        InUse(EnemyY[i])) {
        Host().PlaySound(EnemyFireSlot);
        EnemyShotY[i] = EnemyY[i] + 12;
        EnemyShotX[i] = EnemyX[i] + 6;
    }
}

// The two tests are separate on purpose: a chaser whose step right overshoots ShipX + 9 is
// stepped back in the same frame, so it parks just left of its aim.
void Chase(int i) {
    if (EnemyY[i] >= ShipY - ChaseLevel) return;
    EnemySpeedY[i] = 1;
    if (EnemyX[i] <= ShipX + ChaseAim) {
        EnemyX[i] += EnemySpeedX[i];
        EnemyFrame[i] += 2;
        if (EnemyX[i] > FieldRight) EnemyX[i] = FieldRight;
    }
    if (EnemyX[i] > ShipX + ChaseAim) {
        EnemyX[i] -= EnemySpeedX[i];
        EnemyFrame[i] -= 2;
        if (EnemyX[i] < LeftLimit) EnemyX[i] = LeftLimit;
    }
}

// A dodger clamped at a limit takes the step's lean back; a chaser does not.
void Dodge(int i) {
    const std::int32_t range = 10 * EnemyDodge[i];
    if (!(EnemyX[i] < ShipX + range && EnemyX[i] > ShipX - range)) return;
    EnemySpeedY[i] = 3;
    if (EnemyX[i] > ShipX + DodgePivot) {
        EnemyX[i] += EnemySpeedX[i];
        EnemyFrame[i] += 2;
        if (EnemyX[i] > FieldRight) {
            EnemyX[i] = FieldRight;
            EnemyFrame[i] -= 2;
        }
    }
    if (EnemyX[i] <= ShipX + DodgePivot) {
        EnemyX[i] -= EnemySpeedX[i];
        EnemyFrame[i] -= 2;
        if (EnemyX[i] < LeftLimit) {
            EnemyX[i] = LeftLimit;
            EnemyFrame[i] += 2;
        }
    }
}

void Lean(int i) {
    if (EnemyFrame[i] > LevelLean) EnemyFrame[i] -= 1;
    if (EnemyFrame[i] < LevelLean) EnemyFrame[i] += 1;
    if (EnemyFrame[i] < 1) EnemyFrame[i] = 1;
    if (EnemyFrame[i] > 10) EnemyFrame[i] = 10;
}

void Fly(int i) {
    if (EnemyY[i] > ShipY - LowLevel) {
        EnemyDodge[i] = 10;
        EnemySpeedX[i] = 5;
    }
    Fire(i);
    if (EnemyDodge[i] < 3) Chase(i);
    else Dodge(i);
    Lean(i);
    if (InUse(EnemyY[i])) DrawSprite(frmGFX1().enemy1f, EnemyFrame[i], EnemyX[i], EnemyY[i]);
}

void Move(int i) {
    EnemyY[i] += EnemySpeedY[i] + TurboThrust;
    // Breaking up or not, an enemy rams; a rammed slot goes on through the steps below as a
    // free slot, which may still steer and lean it (kept: nothing sees it).
    if (targets::RamsShip(EnemyX[i], EnemyY[i])) {
        Shields -= RamCost;
        FreeEnemy(i);
        Host().PlaySound(EnemyHitSlot);
    }
    if (EnemyY[i] > FieldBottom) {
        FreeEnemy(i);
        return;
    }
    if (EnemyState[i] != 1) {
        DrawSprite(frmGFX1().enemy1, EnemyState[i], EnemyX[i], EnemyY[i]);
        EnemyState[i] += 1;
        if (EnemyState[i] > LastBreakUpImage) FreeEnemy(i);
        return;
    }
    Fly(i);
}

}  // namespace

void MoveEnemies() {
    for (int i = 0; i < UsedSlots; ++i) {
        if (InUse(EnemyY[i])) Move(i);
        else SpawnRoll(i);
    }
}
