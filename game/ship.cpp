#include <string>

#include "game/field.h"
#include "game/game.h"
#include "game/sprite_store.h"
#include "game/steps.h"

namespace {

constexpr std::int32_t ShipStep = 10;  // sideways pixels per frame
constexpr std::int32_t ShipLeftmost = 1;
constexpr std::int32_t LevelPose = 10;
constexpr std::int32_t LastPose = 20;
constexpr std::int32_t BreakingUp = 21;  // DeathFrame above this: the ship is being destroyed
constexpr std::int32_t LastDeathFrame = 28;
constexpr std::int32_t RespawnDeathFrame = 15;  // below the trigger's limit, so it can fire again

void Fly() {
    const bool right = RightThrust != 0;
    const bool left = LeftThrust != 0;
    if (right && !left) {
        ShipFrame += 1;
        if (ShipFrame > LastPose) ShipFrame = LastPose;
        ShipX += ShipStep;
    } else if (left && !right) {
        ShipFrame -= 1;
        if (ShipFrame < 1) ShipFrame = 1;
        ShipX -= ShipStep;
    } else if (!left && !right) {
        if (ShipFrame < LevelPose) ShipFrame += 1;
        else if (ShipFrame > LevelPose) ShipFrame -= 1;
    }
    if (ShipX < ShipLeftmost) ShipX = ShipLeftmost;
    if (ShipX > FieldRight) ShipX = FieldRight;
    DrawSprite(frmGFX1().ship1, ShipFrame, ShipX, ShipY);
}

void BreakUp() {
    DeathFrame += 1;
    ResetObjects();
    if (DeathFrame == LastDeathFrame) {
        DeathFrame = RespawnDeathFrame;
        Lives -= 1;
        Shields = 100;
        WeaponEnergy = 100;
        ResetObjects();
        ShipX = ShipStartX;
        ShipY = ShipStartY;
        ShipFrame = 1;
        if (Lives == 0) {
            // Str$ of a non-negative number: one leading blank, no separators.
            Host().MessageBox("Game Over.  Score: " + std::to_string(Score));
            EndGame();
        }
    }
    DrawSprite(frmGFX1().ship1, DeathFrame, ShipX, ShipY);
}

}  // namespace

void UpdateShip() {
    if (DeathFrame > BreakingUp) BreakUp();
    else Fly();
}
