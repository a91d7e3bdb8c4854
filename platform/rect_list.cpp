#include "platform/rect_list.h"

#include <algorithm>
#include <climits>
#include <cstring>

namespace platform {
namespace {

// Two rectangles become one when their bounding box covers at most this many pixels beyond
// the two: about two small sprites' worth. Fewer, larger rectangles cost less to clear and to
// send than many small ones, and the extra pixels are the same on both sides.
constexpr long long MergeSlack = 512;

}  // namespace

Rect ClipTo(Rect r, int width, int height) {
    // In 64 bits: a sprite far off the field must not wrap round into it.
    const long long left = std::max<long long>(r.x, 0);
    const long long top = std::max<long long>(r.y, 0);
    const long long right = std::min<long long>(static_cast<long long>(r.x) + r.width, width);
    const long long bottom = std::min<long long>(static_cast<long long>(r.y) + r.height, height);
    if (r.Empty() || right <= left || bottom <= top) return {};
    return {static_cast<int>(left), static_cast<int>(top), static_cast<int>(right - left),
            static_cast<int>(bottom - top)};
}

Rect CopyDifferences(const Pixel* src, int srcStride, Pixel* dst, int dstStride, const Rect& r) {
    int left = INT_MAX;
    int right = INT_MIN;
    int top = -1;
    int bottom = -1;
    const std::size_t rowBytes = static_cast<std::size_t>(std::max(r.width, 0)) * sizeof(Pixel);
    for (int y = r.y; y < r.y + r.height; ++y) {
        const Pixel* from = src + static_cast<std::ptrdiff_t>(y) * srcStride + r.x;
        Pixel* to = dst + static_cast<std::ptrdiff_t>(y) * dstStride + r.x;
        if (std::memcmp(from, to, rowBytes) == 0) continue;
        int first = 0;
        while (from[first] == to[first]) ++first;
        int last = r.width - 1;
        while (from[last] == to[last]) --last;
        std::memcpy(to + first, from + first, static_cast<std::size_t>(last - first + 1) * sizeof(Pixel));
        left = std::min(left, first);
        right = std::max(right, last);
        if (top < 0) top = y;
        bottom = y;
    }
    if (top < 0) return {};
    return {r.x + left, top, right - left + 1, bottom - top + 1};
}

void RectList::Add(Rect r) {
    if (r.Empty()) return;
    // One pass: a joined rectangle goes on to meet the ones after it. Two that could still be
    // joined only cost a little more to send.
    for (std::size_t i = 0; i < rects_.size();) {
        const Rect joined = platform::Bounds(rects_[i], r);
        if (joined.Area() <= rects_[i].Area() + r.Area() + MergeSlack) {
            r = joined;
            rects_[i] = rects_.back();
            rects_.pop_back();
        } else {
            ++i;
        }
    }
    rects_.push_back(r);
}

RectList RectList::ClippedTo(int width, int height) const {
    RectList clipped;
    for (const Rect& r : rects_) clipped.Add(ClipTo(r, width, height));
    return clipped;
}

}  // namespace platform
