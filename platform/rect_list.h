// Rectangles of a surface that were drawn or changed, kept as a short list: what a frame drew
// is what the next frame clears, and what changed is all the screen needs to be sent.
#pragma once

#include <cstddef>
#include <span>
#include <vector>

#include "platform/surface.h"

namespace platform {

struct Rect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;

    bool Empty() const { return width <= 0 || height <= 0; }
    long long Area() const { return Empty() ? 0 : static_cast<long long>(width) * height; }
    friend bool operator==(const Rect&, const Rect&) = default;
};

// The part of r inside the width x height area at the origin; empty when none is.
Rect ClipTo(Rect r, int width, int height);

// The smallest rectangle holding both; an empty one holds nothing.
inline Rect Bounds(const Rect& a, const Rect& b) {
    if (a.Empty()) return b;
    if (b.Empty()) return a;
    const int left = a.x < b.x ? a.x : b.x;
    const int top = a.y < b.y ? a.y : b.y;
    const int right = a.x + a.width > b.x + b.width ? a.x + a.width : b.x + b.width;
    const int bottom = a.y + a.height > b.y + b.height ? a.y + a.height : b.y + b.height;
    return {left, top, right - left, bottom - top};
}

// Copies the pixels of rectangle r of src (srcStride pixels a row) onto dst (dstStride) where
// the two differ. Returns the smallest rectangle holding every pixel that differed, empty when
// none did: a frame that redraws what the screen already shows sends nothing.
Rect CopyDifferences(const Pixel* src, int srcStride, Pixel* dst, int dstStride, const Rect& r);

// A union of rectangles. Together they cover every pixel added, and perhaps a few more: two
// rectangles that overlap or nearly touch are kept as their bounding box, which keeps the list
// short for a frame of sprites and text.
class RectList {
public:
    void Add(Rect r);
    void Clear() { rects_.clear(); }
    bool Empty() const { return rects_.empty(); }
    std::span<const Rect> Rects() const& { return rects_; }
    // A list about to go would leave the view dangling.
    std::span<const Rect> Rects() const&& = delete;
    // Every rectangle of the list, clipped to the width x height area at the origin.
    RectList ClippedTo(int width, int height) const;

private:
    std::vector<Rect> rects_;
};

}  // namespace platform
