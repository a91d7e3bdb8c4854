// A drawing surface that shows frames of 32-bit pixels (0x00RRGGBB), each put on screen in one
// unscaled copy; the X server keeps the latest frame, from which the screen is drawn.
#pragma once

#include <cstdint>
#include <memory>
#include <span>

#include <FL/Fl_Widget.H>

#include "platform/rect_list.h"

namespace toolkit {

class FrameStore;

class PixelScreen : public Fl_Widget {
public:
    PixelScreen(int x, int y, int width, int height);
    ~PixelScreen() override;

    // Shows the width x height frame at pixels (stride: pixels per row of the frame) at the
    // screen's top-left corner, of which only the parts in changed differ from the frame shown
    // before: only those are sent. When the screen is visible the frame is on screen when the
    // call returns; when it is hidden, it is what the screen shows once visible again.
    void ShowFrame(const std::uint32_t* pixels, int width, int height, int stride,
                   std::span<const platform::Rect> changed);

    // Lets go of the frame held: the screen shows its background colour until the next frame.
    void Clear();

    void draw() override;
    int handle(int event) override;

private:
    std::unique_ptr<FrameStore> store_;
};

}  // namespace toolkit
