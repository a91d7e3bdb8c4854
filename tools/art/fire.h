// Fire and glow colours shared by the explosions and break-ups.
#pragma once

#include "tools/art/canvas.h"

namespace art {

// Colour of flame at heat 0 (cold, dark red) to 1 (white hot), before cover is applied.
Colour FireColour(double heat);

// Paint of a flame of the given heat: nothing below about 0.05, solid from about 0.25.
Paint FirePaint(double heat);

}  // namespace art
