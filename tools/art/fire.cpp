#include "tools/art/fire.h"

#include <array>

namespace art {

Colour FireColour(double heat) {
    struct Stop {
        double at;
        Colour colour;
    };
    static const std::array<Stop, 6> ramp = {{
        {0.00, Rgb255(60, 6, 4)},
        {0.25, Rgb255(140, 16, 8)},
        {0.45, Rgb255(215, 45, 12)},
        {0.65, Rgb255(250, 120, 25)},
        {0.85, Rgb255(255, 210, 80)},
        {1.00, Rgb255(255, 250, 220)},
    }};
    heat = Clamp01(heat);
    for (std::size_t i = 1; i < ramp.size(); ++i) {
        if (heat <= ramp[i].at) {
            const double t = (heat - ramp[i - 1].at) / (ramp[i].at - ramp[i - 1].at);
            return Mix(ramp[i - 1].colour, ramp[i].colour, t);
        }
    }
    return ramp.back().colour;
}

Paint FirePaint(double heat) {
    const double cover = SmoothStep(0.05, 0.25, heat);
    return {FireColour(heat) * cover, cover};
}

}  // namespace art
