// Our 32-bit pixels (0x00RRGGBB) straight into X drawables, for the toolkit's own sources only:
// it brings in Xlib's names.
#pragma once

#include <cstdint>

#include <X11/Xlib.h>

namespace toolkit {

// A true-colour display with 8 bits a channel keeps 0x00RRGGBB in 32 bits just as we do.
bool DisplayTakesPixelsAsTheyAre();

// Puts the width x height pixels at pixels (stride pixels a row) onto drawable at (x, y), as
// they are; false, having drawn nothing, when the display does not take them so.
bool PutPixels(Drawable drawable, GC gc, const std::uint32_t* pixels, int stride, int x, int y, int width,
               int height);

}  // namespace toolkit
