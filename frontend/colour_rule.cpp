#include "frontend/colour_rule.h"

#include <cmath>

bool DisplayAccepted(int bitsPerPixel, int planes) {
    const double colours = std::pow(2.0, bitsPerPixel) * planes;
    // Both bounds belong to the refused band; 257, not 256, is its top.
    return colours < 8 || colours > 257;
}
