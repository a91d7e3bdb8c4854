#include "platform/image_list.h"

#include <algorithm>
#include <cstring>

namespace platform {

ImageList::ImageList(int width, int height, std::vector<Pixel> pixels)
    : width_(width), height_(height), pixels_(std::move(pixels)) {
    const std::size_t cell = static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_);
    count_ = cell == 0 ? 0 : static_cast<int>(pixels_.size() / cell);
    const std::size_t rows = static_cast<std::size_t>(count_) * static_cast<std::size_t>(height_);
    rowRuns_.reserve(rows + 1);
    for (std::size_t row = 0; row < rows; ++row) {
        rowRuns_.push_back(runs_.size());
        const Pixel* line = pixels_.data() + row * static_cast<std::size_t>(width_);
        for (int col = 0; col < width_;) {
            if (line[col] == Black) {
                ++col;
                continue;
            }
            const int start = col;
            while (col < width_ && line[col] != Black) ++col;
            runs_.push_back({start, col});
        }
    }
    rowRuns_.push_back(runs_.size());
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
    const std::size_t firstRow = static_cast<std::size_t>(n - 1) * static_cast<std::size_t>(height_);
    for (int row = y0; row < y1; ++row) {
        const Pixel* src = pixels_.data() + (firstRow + static_cast<std::size_t>(row)) * width_;
        Pixel* dst = target.Row(y + row) + x;
        for (std::size_t k = rowRuns_[firstRow + row]; k < rowRuns_[firstRow + row + 1]; ++k) {
            const int from = std::max(runs_[k].start, x0);
            const int to = std::min(runs_[k].end, x1);
            if (from < to) std::memcpy(dst + from, src + from, static_cast<std::size_t>(to - from) * sizeof(Pixel));
        }
    }
}

}  // namespace platform
