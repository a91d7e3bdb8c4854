// The deep-space ground behind the window pictures' craft: black, stars, a faint haze.
#pragma once

#include <cstdint>
#include <vector>

#include "tools/art/canvas.h"

namespace art {

// A rectangle of the picture, inclusive of left and top, exclusive of right and bottom.
struct Area {
    int left, top, right, bottom;
    bool Holds(double x, double y) const { return x >= left && y >= top && x < right && y < bottom; }
};

// Solid black from top to the bottom of the canvas.
void PaintBlack(Canvas& canvas, int top = 0);

// Scattered stars below top: mostly faint points, a few bright ones with a small cross of light.
// None is put inside an area to keep clear.
void PaintStars(Canvas& canvas, std::uint64_t seed, int count, int top = 0, const std::vector<Area>& clear = {});

// A dim cloud of coloured gas centred on (x, y), fading out by radius.
void PaintNebula(Canvas& canvas, double x, double y, double radius, Colour colour, std::uint32_t seed);

// Puts the premultiplied top canvas over base with its top-left corner at (x, y).
void PlaceOver(Canvas& base, const Canvas& top, int x, int y);

}  // namespace art
