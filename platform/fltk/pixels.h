// Drawing 32-bit pixels (0x00RRGGBB) onto the current drawable: straight from memory when the
// display stores pixels the same way, converted row by row otherwise.
#pragma once

#include <cstdint>

namespace toolkit {

// A true-colour display with 8 bits a channel keeps 0x00RRGGBB in 32 bits just as we do.
bool DisplayTakesPixelsAsTheyAre();

// Draws the width x height pixels at pixels (stride pixels a row) with their top-left corner
// at (x, y), unscaled and within the current clip.
void DrawPixels(const std::uint32_t* pixels, int width, int height, int stride, int x, int y);

}  // namespace toolkit
