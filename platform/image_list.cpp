#include "platform/image_list.h"

#include <algorithm>

namespace platform {

ImageList::ImageList(int width, int height, std::vector<Pixel> pixels)
    : width_(width), height_(height), pixels_(std::move(pixels)) {
    const std::size_t cell = static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_);
    count_ = cell == 0 ? 0 : static_cast<int>(pixels_.size() / cell);
}

Pixel ImageList::At(int n, int x, int y) const {
    const std::size_t cell = static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_);
    return pixels_[static_cast<std::size_t>(n - 1) * cell + static_cast<std::size_t>(y) * width_ + x];
}

void ImageList::Draw(Surface& target, int n, int x, int y) const {
    if (n < 1 || n > count_) return;
    // Wholly outside draws nothing; returning here also keeps the clipping sums below from
    // overflowing for far-off positions.
    if (x <= -width_ || y <= -height_ || x >= target.Width() || y >= target.Height()) return;
    const int x0 = std::max(0, -x);
    const int y0 = std::max(0, -y);
    const int x1 = std::min(width_, target.Width() - x);
    const int y1 = std::min(height_, target.Height() - y);
    const Pixel* image = pixels_.data() + static_cast<std::size_t>(n - 1) * width_ * height_;
    for (int row = y0; row < y1; ++row) {
        const Pixel* src = image + static_cast<std::size_t>(row) * width_;
        Pixel* dst = target.Row(y + row);
        for (int col = x0; col < x1; ++col) {
            if (src[col] != Black) dst[x + col] = src[col];
        }
    }
}

}  // namespace platform
