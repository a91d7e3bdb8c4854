// A drawing surface that shows frames of 32-bit pixels (0x00RRGGBB), each put on screen in one
// unscaled copy; it keeps the latest frame to draw it again when uncovered.
#pragma once

#include <cstdint>
#include <vector>

#include <FL/Fl_Widget.H>

namespace toolkit {

class PixelScreen : public Fl_Widget {
public:
    PixelScreen(int x, int y, int width, int height);

    // Copies width x height pixels from the frame's top-left corner (stride: pixels per row of
    // the frame); when the screen is visible they are on screen when the call returns.
    void ShowFrame(const std::uint32_t* pixels, int width, int height, int stride);

    void draw() override;
    int handle(int event) override;

private:
    std::vector<std::uint32_t> frame_;
    int frameWidth_ = 0;
    int frameHeight_ = 0;
};

}  // namespace toolkit
