#include "platform/fltk/pixel_screen.h"

#include <algorithm>

#include <FL/Fl.H>
#include <FL/Fl_Window.H>
#include <FL/fl_draw.H>
#include <FL/x.H>

#include "platform/fltk/frame_store.h"

namespace toolkit {

PixelScreen::PixelScreen(int x, int y, int width, int height)
    : Fl_Widget(x, y, width, height), store_(std::make_unique<FrameStore>()) {
    box(FL_FLAT_BOX);
}

PixelScreen::~PixelScreen() = default;

void PixelScreen::ShowFrame(const std::uint32_t* pixels, int width, int height, int stride,
                            std::span<const platform::Rect> changed) {
    const platform::RectList sent = store_->Update(pixels, width, height, stride, changed);
    if (sent.Empty()) return;
    if (!visible_r() || !window() || !window()->shown()) {
        store_->Flush();
        return;
    }
    // Through the window's own redraw, so that its back buffer keeps up; it then copies the
    // changed parts onto the screen in one piece.
    const platform::RectList parts = sent.ClippedTo(w(), h());
    for (const platform::Rect& r : parts.Rects()) {
        damage(FL_DAMAGE_USER1, x() + r.x, y() + r.y, r.width, r.height);
    }
    // Copies of a finished frame uncover nothing: without this each would send an event back
    // and wake the program once more a frame.
    if (fl_gc) XSetGraphicsExposures(fl_display, fl_gc, False);
    Fl::flush();
    if (fl_gc) XSetGraphicsExposures(fl_display, fl_gc, True);
}

void PixelScreen::Clear() {
    store_->Forget();
    redraw();
}

void PixelScreen::draw() {
    // Only what no frame covers shows the background colour.
    if (!store_->Holds() || store_->Width() < w() || store_->Height() < h()) draw_box();
    if (!store_->Holds()) return;
    fl_copy_offscreen(x(), y(), std::min(store_->Width(), w()), std::min(store_->Height(), h()), store_->Picture(), 0,
                      0);
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
