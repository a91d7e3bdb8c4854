// The eight sound slots by name: the argument of every sound request, from the windows and from
// the engine alike. Slot n plays file 0000_00n.X25 on mixer channel n. This header includes no
// audio library, so the headless engine may name its sounds too.
#pragma once

#include <cstdint>

constexpr int SoundSlots = 8;

constexpr std::int16_t MusicSlot = 0;  // loops while the Music box is ticked
constexpr std::int16_t LeftGunSlot = 1;  // the gun at ShipX + 8
constexpr std::int16_t EnemyFireSlot = 2;
constexpr std::int16_t RightGunSlot = 3;  // the gun at ShipX + 15
constexpr std::int16_t EnemyHitSlot = 4;  // an enemy ship shot down, or ramming the ship
constexpr std::int16_t AsteroidHitSlot = 5;  // an asteroid shot down, or ramming the ship
constexpr std::int16_t TurboSlot = 6;  // one step of turbo thrust
constexpr std::int16_t ClickSlot = 7;  // every button, and the start of a game
