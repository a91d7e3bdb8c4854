// The play field's edges and the ship's place at a start, shared by the steps. Private to the
// engine.
#pragma once

#include <cstdint>

constexpr std::int32_t FieldBottom = 300;  // an asteroid, enemy or enemy shot whose Y passes it leaves
constexpr std::int32_t FieldRight = 450;  // the rightmost X of the ship and of a steered enemy
constexpr std::int32_t ShipStartX = 200;  // at the start of a game and after every respawn
constexpr std::int32_t ShipStartY = 250;  // the ship's row: nothing moves it up or down
