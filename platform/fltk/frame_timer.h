// A window's timer: one tick per interval, counted from the previous tick's due time so the
// period does not drift with the work done in a tick.
#pragma once

#include <cstdint>
#include <functional>

namespace toolkit {

class FrameTimer {
public:
    explicit FrameTimer(std::function<void()> onTick);
    ~FrameTimer();
    FrameTimer(const FrameTimer&) = delete;
    FrameTimer& operator=(const FrameTimer&) = delete;

    // Milliseconds; 0 stops the timer. Setting the interval it already runs at keeps its phase.
    void SetInterval(std::int32_t milliseconds);
    std::int32_t Interval() const { return interval_; }

private:
    static void Expired(void* timer);

    std::function<void()> onTick_;
    std::int32_t interval_ = 0;
};

}  // namespace toolkit
