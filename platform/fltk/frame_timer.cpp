#include "platform/fltk/frame_timer.h"

#include <FL/Fl.H>

namespace toolkit {
namespace {
double Seconds(std::int32_t milliseconds) { return milliseconds / 1000.0; }
}

FrameTimer::FrameTimer(std::function<void()> onTick) : onTick_(std::move(onTick)) {}

FrameTimer::~FrameTimer() { Fl::remove_timeout(Expired, this); }

void FrameTimer::SetInterval(std::int32_t milliseconds) {
    if (milliseconds < 0) milliseconds = 0;
    if (milliseconds == interval_) return;
    Fl::remove_timeout(Expired, this);
    interval_ = milliseconds;
    if (interval_ > 0) Fl::add_timeout(Seconds(interval_), Expired, this);
}

void FrameTimer::Expired(void* data) {
    FrameTimer& timer = *static_cast<FrameTimer*>(data);
    // Re-armed before the tick runs: the tick may stop the timer or change its interval.
    Fl::repeat_timeout(Seconds(timer.interval_), Expired, data);
    timer.onTick_();
}

}  // namespace toolkit
