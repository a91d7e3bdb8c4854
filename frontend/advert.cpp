#include "frontend/advert.h"

#include <FL/Fl.H>
#include <FL/fl_draw.H>

#include "frontend/window_pictures.h"

namespace {
// Slow enough to cost nothing and to let each sponsor be read.
constexpr double SecondsPerSponsor = 8.0;
}  // namespace

Advert::Advert(int x, int y, int width, int height) : Fl_Widget(x, y, width, height) {
    box(FL_FLAT_BOX);
    color(FL_BLACK);
    const int count = WindowPictureCount("sponsors");
    for (int i = 0; i < count; ++i) sponsors_.push_back(WindowPicture("sponsors", i));
}

Advert::~Advert() { Fl::remove_timeout(Rotate, this); }

void Advert::Start() {
    if (started_) return;
    started_ = true;
    current_ = 0;
    redraw();
    if (sponsors_.size() > 1) Fl::add_timeout(SecondsPerSponsor, Rotate, this);
}

void Advert::ShowNext() {
    current_ = (current_ + 1) % static_cast<int>(sponsors_.size());
    redraw();
}

void Advert::Rotate(void* data) {
    static_cast<Advert*>(data)->ShowNext();
    Fl::repeat_timeout(SecondsPerSponsor, Rotate, data);
}

void Advert::draw() {
    draw_box();
    if (!started_ || sponsors_.empty()) return;
    fl_push_clip(x(), y(), w(), h());
    const toolkit::Picture& sponsor = sponsors_[current_];
    sponsor.Draw(x() + (w() - sponsor.Width()) / 2, y() + (h() - sponsor.Height()) / 2);
    fl_pop_clip();
}

int Advert::handle(int event) {
    // A click only brings on the next sponsor: nothing opens, nothing is sent anywhere.
    if (event == FL_PUSH && started_ && sponsors_.size() > 1) {
        Fl::remove_timeout(Rotate, this);
        ShowNext();
        Fl::add_timeout(SecondsPerSponsor, Rotate, this);
        return 1;
    }
    return Fl_Widget::handle(event);
}
