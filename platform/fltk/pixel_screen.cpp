#include "platform/fltk/pixel_screen.h"

#include <algorithm>
#include <cstring>

#include <FL/Fl.H>
#include <FL/Fl_Window.H>

#include "platform/fltk/pixels.h"

namespace toolkit {

PixelScreen::PixelScreen(int x, int y, int width, int height) : Fl_Widget(x, y, width, height) {
    box(FL_FLAT_BOX);
}

void PixelScreen::ShowFrame(const std::uint32_t* pixels, int width, int height, int stride) {
    width = std::max(width, 0);
    height = std::max(height, 0);
    frame_.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    for (int row = 0; row < height; ++row) {
        std::memcpy(frame_.data() + static_cast<std::size_t>(row) * width,
                    pixels + static_cast<std::size_t>(row) * stride, static_cast<std::size_t>(width) * 4);
    }
    frameWidth_ = width;
    frameHeight_ = height;
    if (!visible_r() || !window() || !window()->shown()) return;
    redraw();
    Fl::flush();
}

void PixelScreen::draw() {
    // Only what no frame covers shows the background colour.
    if (frameWidth_ < w() || frameHeight_ < h()) draw_box();
    if (frame_.empty()) return;
    DrawPixels(frame_.data(), std::min(frameWidth_, w()), std::min(frameHeight_, h()), frameWidth_, x(), y());
}

int PixelScreen::handle(int event) {
    // The pointer has no part in play: it is hidden over the screen.
    switch (event) {
    case FL_ENTER:
        if (window()) window()->cursor(FL_CURSOR_NONE);
        return 1;
    case FL_LEAVE:
        if (window()) window()->cursor(FL_CURSOR_DEFAULT);
        return 1;
    case FL_HIDE:
        if (window()) window()->cursor(FL_CURSOR_DEFAULT);
        return Fl_Widget::handle(event);
    default:
        return Fl_Widget::handle(event);
    }
}

}  // namespace toolkit
