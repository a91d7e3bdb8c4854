// The one way the engine turns a random draw into a whole number: Int(draw * range + base),
// with the product formed in double precision.
#pragma once

#include <cmath>
#include <cstdint>

#include "game/random.h"

inline std::int32_t Draw(std::int32_t range, std::int32_t base) {
    return static_cast<std::int32_t>(std::floor(static_cast<double>(Rnd()) * range + base));
}
