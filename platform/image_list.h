// A fixed list of equally sized images, drawn transparently: pure black shows what lies beneath.
#pragma once

#include <vector>

#include "platform/surface.h"

namespace platform {

class ImageList {
public:
    ImageList() = default;
    // pixels holds the images one after the other, each width x height, rows top to bottom.
    ImageList(int width, int height, std::vector<Pixel> pixels);

    int Width() const { return width_; }
    int Height() const { return height_; }
    int Count() const { return count_; }

    // Image n counted from 1; pixel (x, y) of it.
    Pixel At(int n, int x, int y) const;

    // Draws image n (from 1) with its top-left corner at (x, y), clipped at every edge.
    // Black pixels leave the target unchanged; a number outside the list draws nothing.
    void Draw(Surface& target, int n, int x, int y) const;

private:
    // A stretch of pixels that are not black, in one row of one image.
    struct Run {
        int start;
        int end;
    };

    int width_ = 0;
    int height_ = 0;
    int count_ = 0;
    std::vector<Pixel> pixels_;
    // The runs of every row of every image in order; row r (counted over all images) has
    // runs_[rowRuns_[r]] up to runs_[rowRuns_[r + 1]], so a draw copies whole stretches.
    std::vector<Run> runs_;
    std::vector<std::size_t> rowRuns_;
};

}  // namespace platform
