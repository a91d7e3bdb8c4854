#include "platform/fltk/tick_slider.h"

#include <algorithm>

#include <FL/Fl.H>
#include <FL/fl_draw.H>

namespace toolkit {
namespace {
constexpr int TickLength = 4;
constexpr int TickSpace = TickLength + 4;  // below the track
constexpr double ThumbWidth = 11.0;
}  // namespace

TickSlider::TickSlider(int x, int y, int width, int height) : Fl_Slider(FL_HOR_NICE_SLIDER, x, y, width, height, nullptr) {
    box(FL_FLAT_BOX);
    step(1);
    slider_size(ThumbWidth / width);
}

void TickSlider::SetRange(int minimum, int maximum) { bounds(minimum, maximum); }

void TickSlider::SetValue(int v) { value(clamp(v)); }

int TickSlider::TrackHeight() const { return std::max(h() - TickSpace, 10); }

void TickSlider::MoveTo(double v) {
    v = clamp(v);
    if (v == value()) return;
    handle_push();
    handle_drag(v);
    handle_release();
}

int TickSlider::handle(int event) {
    if (event == FL_PUSH && Fl::visible_focus()) take_focus();
    if (event == FL_KEYBOARD) {
        switch (Fl::event_key()) {
        case FL_Page_Up: MoveTo(value() - pageStep_); return 1;
        case FL_Page_Down: MoveTo(value() + pageStep_); return 1;
        case FL_Home: MoveTo(minimum()); return 1;
        case FL_End: MoveTo(maximum()); return 1;
        // As on a desktop trackbar, Up steps toward the low end and Down toward the high end.
        case FL_Up: MoveTo(value() - 1); return 1;
        case FL_Down: MoveTo(value() + 1); return 1;
        default: break;
        }
    }
    return Fl_Slider::handle(event, x(), y(), w(), TrackHeight());
}

void TickSlider::draw() {
    if (damage() & FL_DAMAGE_ALL) draw_box();
    Fl_Slider::draw(x(), y(), w(), TrackHeight());
    // Tick marks under the thumb's centre at the values they stand for, both ends included.
    const double span = maximum() - minimum();
    if (span <= 0 || tickEvery_ <= 0) return;
    const double thumb = slider_size() * w();
    const int top = y() + TrackHeight() + 2;
    fl_color(FL_BLACK);
    auto tick = [&](double v) {
        const int tx = x() + static_cast<int>(thumb / 2 + (v - minimum()) / span * (w() - thumb) + 0.5);
        fl_yxline(tx, top, top + TickLength - 1);
    };
    for (double v = minimum(); v < maximum(); v += tickEvery_) tick(v);
    tick(maximum());
    if (Fl::focus() == this) draw_focus();
}

}  // namespace toolkit
