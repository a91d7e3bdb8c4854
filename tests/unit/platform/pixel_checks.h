// Small pixel-reading helpers shared by the drawing-layer tests.
#pragma once

#include <algorithm>
#include <climits>

#include "platform/back_buffer.h"
#include "platform/surface.h"

namespace pixel_checks {

// Bounding box (inclusive) of the pixels that are not the background colour.
struct Ink {
    int left = INT_MAX;
    int top = INT_MAX;
    int right = INT_MIN;
    int bottom = INT_MIN;
    int count = 0;
    bool Empty() const { return count == 0; }
};

inline Ink InkOf(const platform::Surface& s, platform::Pixel background = platform::Black) {
    Ink ink;
    for (int y = 0; y < s.Height(); ++y) {
        for (int x = 0; x < s.Width(); ++x) {
            if (s.At(x, y) == background) continue;
            ink.left = std::min(ink.left, x);
            ink.right = std::max(ink.right, x);
            ink.top = std::min(ink.top, y);
            ink.bottom = std::max(ink.bottom, y);
            ++ink.count;
        }
    }
    return ink;
}

// The width x height window of s at (x, y), as a surface of its own.
inline platform::Surface Crop(const platform::Surface& s, int x, int y, int width, int height) {
    platform::Surface out(width, height);
    for (int row = 0; row < height; ++row) {
        for (int col = 0; col < width; ++col) out.Set(col, row, s.At(x + col, y + row));
    }
    return out;
}

inline bool SamePixels(const platform::Surface& a, const platform::Surface& b) {
    return a.Width() == b.Width() && a.Height() == b.Height() &&
           std::equal(a.Data(), a.Data() + static_cast<std::size_t>(a.Width()) * a.Height(), b.Data());
}

// Paints the whole buffer one colour with its own lines, which it keeps account of like any
// other drawing; its fore colour is left as it was.
inline void PaintAll(platform::BackBuffer& buffer, platform::Pixel colour) {
    const platform::Pixel fore = buffer.ForeColor();
    buffer.SetForeColor(colour);
    for (int y = 0; y < buffer.Height(); ++y) {
        buffer.Line(0, static_cast<float>(y), static_cast<float>(buffer.Width() - 1), static_cast<float>(y));
    }
    buffer.SetForeColor(fore);
}

}  // namespace pixel_checks
