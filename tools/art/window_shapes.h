// Flat shapes for the window pictures, smoothed by sampling each pixel n x n times.
#pragma once

#include <algorithm>
#include <cmath>

#include "tools/art/canvas.h"
#include "tools/art/window_backdrop.h"

namespace art {

// The whole pixels round a centre, reaching at least halfWidth and halfHeight out.
inline Area Around(double cx, double cy, double halfWidth, double halfHeight) {
    return {static_cast<int>(std::floor(cx - halfWidth)), static_cast<int>(std::floor(cy - halfHeight)),
            static_cast<int>(std::ceil(cx + halfWidth)) + 1, static_cast<int>(std::ceil(cy + halfHeight)) + 1};
}

// Lays colourAt(x, y) over every part of the box where inside(x, y) holds (picture coordinates).
template <class Inside, class ColourAt>
void FillShape(Canvas& canvas, Area box, const Inside& inside, const ColourAt& colourAt, int n = 4) {
    for (int y = std::max(0, box.top); y < std::min(canvas.Height(), box.bottom); ++y) {
        for (int x = std::max(0, box.left); x < std::min(canvas.Width(), box.right); ++x) {
            Colour sum;
            int hits = 0;
            for (int sy = 0; sy < n; ++sy) {
                for (int sx = 0; sx < n; ++sx) {
                    const double qx = x + (sx + 0.5) / n, qy = y + (sy + 0.5) / n;
                    if (!inside(qx, qy)) continue;
                    sum = sum + colourAt(qx, qy);
                    ++hits;
                }
            }
            if (hits) canvas.Over(x, y, sum * (1.0 / hits), static_cast<double>(hits) / (n * n));
        }
    }
}

// Signed distance to a rectangle with rounded corners, centred on (cx, cy).
inline double RoundRectDistance(double x, double y, double cx, double cy, double halfWidth, double halfHeight,
                                double rounding) {
    const double qx = std::fabs(x - cx) - (halfWidth - rounding);
    const double qy = std::fabs(y - cy) - (halfHeight - rounding);
    return std::hypot(std::max(qx, 0.0), std::max(qy, 0.0)) + std::min(std::max(qx, qy), 0.0) - rounding;
}

}  // namespace art
