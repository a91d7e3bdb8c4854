#include "game/game.h"

namespace {

constexpr std::int32_t MaxHold = 20;  // steering hold counters stop climbing here
constexpr std::int32_t MaxTurbo = 10;
constexpr std::int32_t PowerStep = 10;  // moved out of the giving store by S or W
constexpr std::int32_t ShotCost = 15;  // 10 is enough to fire, leaving -5

void Fire() {
    int slot = 0;
    while (slot < PlayerShotSlots && InUse(ShotY[slot])) ++slot;
    if (slot == PlayerShotSlots) return;
    if (WeaponEnergy <= 9) return;
    WeaponEnergy -= ShotCost;
    // Only Y and X are written: a free slot already holds Frame 1.
    if (GunSide == 1) {
        Host().PlaySound(LeftGunSlot);
        ShotY[slot] = ShipY + 10;
        ShotX[slot] = ShipX + 8;
        GunSide = 0;
    } else {
        Host().PlaySound(RightGunSlot);
        ShotY[slot] = ShipY + 10;
        ShotX[slot] = ShipX + 15;
        GunSide = 1;
    }
}

}  // namespace

void Form_KeyDown(std::int16_t& KeyCode, std::int16_t& /*Shift*/) {
    if (!GameRunning) return;
    // Every test sees the same code; a code matches at most one of them.
    if (KeyCode == vk::Escape) EndGame();
    if (KeyCode == vk::Left) {
        LeftThrust += 1;
        if (LeftThrust > MaxHold) LeftThrust = MaxHold;
    }
    if (KeyCode == vk::Right) {
        RightThrust += 1;
        if (RightThrust > MaxHold) RightThrust = MaxHold;
    }
    if (KeyCode == vk::Up && WeaponEnergy > 2 && TurboThrust < MaxTurbo) {
        TurboThrust += 1;
        WeaponEnergy -= 1;
        Host().PlaySound(TurboSlot);
    }
    // Power transfers: what the receiving store cannot take above 100 is lost.
    if (KeyCode == vk::S && WeaponEnergy > 10 && Shields < 100) {
        WeaponEnergy -= PowerStep;
        Shields += PowerStep;
        if (Shields > 100) Shields = 100;
    }
    if (KeyCode == vk::W && Shields > 20 && WeaponEnergy < 100) {
        WeaponEnergy += PowerStep;
        Shields -= PowerStep;
        if (WeaponEnergy > 100) WeaponEnergy = 100;
    }
    if (KeyCode == vk::Down || KeyCode == vk::Space) Fire();
}

void Form_KeyUp(std::int16_t& KeyCode, std::int16_t& /*Shift*/) {
    if (KeyCode == vk::Left) LeftThrust = 0;
    if (KeyCode == vk::Right) RightThrust = 0;
    if (KeyCode == vk::Up) TurboThrust = 0;
}
