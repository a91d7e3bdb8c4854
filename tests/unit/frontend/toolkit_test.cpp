#include <gtest/gtest.h>
#include <sys/time.h>

#include <FL/Enumerations.H>
#include <FL/Fl.H>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <ctime>
#include <sstream>
#include <string>
#include <vector>

#include "platform/fltk/frame_timer.h"
#include "platform/fltk/keyboard.h"
#include "platform/fltk/message_box.h"
#include "platform/fltk/picture.h"
#include "platform/fltk/picture_widgets.h"

#include <FL/Fl_Window.H>

namespace {

TEST(VirtualKeyCode, GivesTheCodesTheGameListensTo) {
    struct Case {
        int key;
        std::int16_t code;
    };
    const Case cases[] = {
        {FL_Escape, 27}, {' ', 32},   {FL_Left, 37},     {FL_Up, 38},       {FL_Right, 39}, {FL_Down, 40},
        {'s', 83},       {'w', 87},   {'a', 65},         {'z', 90},         {'0', 48},      {'9', 57},
        {FL_F + 1, 112}, {FL_F + 12, 123}, {FL_Enter, 13}, {FL_KP_Enter, 13}, {FL_Tab, 9},  {FL_Shift_L, 16},
        {FL_KP + '5', 101}, {FL_Page_Up, 33}, {FL_Home, 36}, {FL_Delete, 46},
        {FL_Volume_Up, 0}, {0x20ac, 0},  // keys without a code
    };
    for (const Case& c : cases) EXPECT_EQ(toolkit::VirtualKeyCode(c.key), c.code) << std::hex << c.key;
}

TEST(VirtualKeyCode, ALetterHasOneCodeWhateverShiftAndCapsLock) {
    // FLTK names a letter key by its lower-case character, but an application may see the
    // upper-case one as well; both give the letter's one code.
    for (char letter = 'a'; letter <= 'z'; ++letter) {
        EXPECT_EQ(toolkit::VirtualKeyCode(letter), letter - 'a' + 'A') << letter;
    }
}

TEST(ShiftState, HasTheShiftCtrlAndAltBits) {
    EXPECT_EQ(toolkit::ShiftState(0), 0);
    EXPECT_EQ(toolkit::ShiftState(FL_SHIFT), 1);
    EXPECT_EQ(toolkit::ShiftState(FL_CTRL), 2);
    EXPECT_EQ(toolkit::ShiftState(FL_ALT), 4);
    EXPECT_EQ(toolkit::ShiftState(FL_SHIFT | FL_CTRL | FL_ALT | FL_CAPS_LOCK | FL_NUM_LOCK), 7);
}

// Every character seven pixels wide.
int Width(std::string_view line) { return static_cast<int>(line.size()) * 7; }

std::vector<std::string> Words(const std::string& text) {
    std::istringstream in(text);
    std::vector<std::string> words;
    for (std::string word; in >> word;) words.push_back(word);
    return words;
}

TEST(WrapToWidth, BreaksAtBlanksSoNoLineIsTooWide) {
    const std::string text =
        "Please switch to a high (16bit) or true (24bit or 32bit) color display mode.  "
        "(control panel/display/settings/color palette)";
    const std::string wrapped = toolkit::WrapToWidth(text, 40 * 7, Width);
    std::istringstream lines(wrapped);
    int count = 0;
    for (std::string line; std::getline(lines, line); ++count) {
        EXPECT_LE(Width(line), 40 * 7) << line;
        EXPECT_NE(line.front(), ' ') << "a line starts with the blank it was broken at";
    }
    EXPECT_EQ(count, 4);
    EXPECT_EQ(Words(wrapped), Words(text));
}

TEST(WrapToWidth, KeepsShortTextsLineBreaksAndLongWords) {
    EXPECT_EQ(toolkit::WrapToWidth("Game Over.  Score: 120", 400, Width), "Game Over.  Score: 120");
    EXPECT_EQ(toolkit::WrapToWidth("one\ntwo three", 5 * 7, Width), "one\ntwo\nthree");
    EXPECT_EQ(toolkit::WrapToWidth("a unbreakableword b", 5 * 7, Width), "a\nunbreakableword\nb");
    EXPECT_EQ(toolkit::WrapToWidth("", 100, Width), "");
}

}  // namespace

// FLTK's timeouts read the time through gettimeofday. Defined here, it is a clock the timer
// tests can stop and move on by hand, so what they see does not depend on when the machine runs
// them; stopped by no test, it is the system's clock.
namespace {
struct HandClock {
    bool stopped = false;
    std::int64_t microseconds = 0;  // while stopped
    std::int64_t offset = 0;        // while running: kept so the clock never goes back
    int reads = 0;
};
HandClock handClock;

std::int64_t SystemMicroseconds() {
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    return std::int64_t{now.tv_sec} * 1000000 + now.tv_nsec / 1000;
}
}  // namespace

extern "C" int gettimeofday(timeval* __restrict tv, void* __restrict) noexcept {
    std::int64_t now = SystemMicroseconds() + handClock.offset;
    if (handClock.stopped) {
        now = handClock.microseconds;
        ++handClock.reads;
    }
    tv->tv_sec = static_cast<time_t>(now / 1000000);
    tv->tv_usec = static_cast<suseconds_t>(now % 1000000);
    return 0;
}

namespace {

// Stops the clock for a test's life; RunUntil moves it on and runs what falls due.
class StoppedClock {
public:
    StoppedClock() {
        handClock.microseconds = SystemMicroseconds() + handClock.offset;
        start_ = handClock.microseconds;
        handClock.reads = 0;
        handClock.stopped = true;
        Fl::wait(0);  // FLTK takes this as its last reading
    }
    ~StoppedClock() {
        handClock.offset = handClock.microseconds - SystemMicroseconds();
        handClock.stopped = false;
    }
    StoppedClock(const StoppedClock&) = delete;
    StoppedClock& operator=(const StoppedClock&) = delete;

    // Milliseconds since the clock stopped.
    int Now() const { return static_cast<int>((handClock.microseconds - start_) / 1000); }
    // Work in a tick: the time goes by without the event loop.
    static void Work(int milliseconds) { handClock.microseconds += std::int64_t{milliseconds} * 1000; }
    // The event loop running, a millisecond at a time, until the clock reads milliseconds.
    void RunUntil(int milliseconds) {
        while (Now() < milliseconds) {
            Work(1);
            Fl::wait(0);
        }
    }
    static bool ReadByFltk() { return handClock.reads > 0; }

private:
    std::int64_t start_ = 0;
};

// Tick n (from 1) at n intervals, to the millisecond: the schedule kept whatever the ticks do.
void ExpectOnSchedule(const std::vector<int>& ticks, int interval) {
    for (std::size_t n = 1; n <= ticks.size(); ++n) {
        EXPECT_NEAR(ticks[n - 1], static_cast<int>(n) * interval, 1) << "tick " << n;
    }
}

TEST(FrameTimer, TicksOncePerIntervalWithoutDriftingByTheWorkOfATick) {
    StoppedClock clock;
    constexpr int Interval = 20;
    std::vector<int> ticks;
    // A tick that takes 60% of the period: the next one still comes on time, not 12 ms late.
    toolkit::FrameTimer timer([&] {
        ticks.push_back(clock.Now());
        StoppedClock::Work(12);
        if (ticks.size() == 10) timer.SetInterval(0);
    });
    timer.SetInterval(Interval);
    clock.RunUntil(20 * Interval);
    ASSERT_TRUE(StoppedClock::ReadByFltk()) << "FLTK no longer reads the time through gettimeofday";
    ASSERT_EQ(ticks.size(), 10u) << "stopped in its tenth tick";
    ExpectOnSchedule(ticks, Interval);
    EXPECT_EQ(timer.Interval(), 0);
}

TEST(FrameTimer, KeepsItsPhaseWhenSetToItsOwnIntervalAndStopsAtZero) {
    // As a game's first frame sets the interval the timer already runs at: a timer restarted
    // there would wait a whole period after the tick's work, 30 ms instead of 20.
    StoppedClock clock;
    constexpr int Interval = 20;
    std::vector<int> ticks;
    toolkit::FrameTimer timer([&] {
        ticks.push_back(clock.Now());
        StoppedClock::Work(10);
        timer.SetInterval(Interval);
    });
    timer.SetInterval(Interval);
    clock.RunUntil(10 * Interval + Interval / 2);
    ASSERT_EQ(ticks.size(), 10u);
    ExpectOnSchedule(ticks, Interval);

    timer.SetInterval(0);
    clock.RunUntil(20 * Interval);
    EXPECT_EQ(ticks.size(), 10u) << "ticked after it was stopped";
}

TEST(FrameTimer, CatchesUpALongStallWithAFewTicksNotAllItMissed) {
    // A stalled program (a tick that took 300 ms, a machine too busy) goes on at its pace
    // instead of racing through the 15 frames it missed.
    StoppedClock clock;
    constexpr int Interval = 20;
    std::vector<int> ticks;
    toolkit::FrameTimer timer([&] {
        ticks.push_back(clock.Now());
        StoppedClock::Work(ticks.size() == 3 ? 300 : 0);
    });
    timer.SetInterval(Interval);
    clock.RunUntil(3 * Interval + 300 + 5 * Interval);
    timer.SetInterval(0);
    const std::vector<int> after(ticks.begin() + 3, ticks.end());
    EXPECT_LE(after.size(), 7u) << "the ticks missed in the stall were made up";
    EXPECT_GE(after.size(), 5u) << "the timer did not go on after the stall";
}

}  // namespace

namespace {

TEST(PictureButton, SpaceClicksTheFocusedButtonOnReleaseOnce) {
    // Giving a widget the focus opens the display.
    if (!std::getenv("DISPLAY")) GTEST_SKIP() << "needs an X display";
    Fl_Window window(100, 40);
    toolkit::PictureButton button(5, 5, 91, 17, toolkit::Picture(91, 17, nullptr, "Start Game"));
    window.end();
    int clicks = 0;
    button.callback([](Fl_Widget*, void* count) { ++*static_cast<int*>(count); }, &clicks);
    Fl::focus(&button);
    ASSERT_EQ(Fl::focus(), &button);

    // A held Space sends key-downs over and over, then one key-up.
    Fl::e_keysym = ' ';
    for (int repeat = 0; repeat < 5; ++repeat) EXPECT_EQ(button.handle(FL_KEYBOARD), 1);
    EXPECT_EQ(clicks, 0) << "clicked while Space was still held";
    EXPECT_EQ(button.value(), 1) << "not shown pressed while held";
    EXPECT_EQ(button.handle(FL_KEYUP), 1);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(button.value(), 0);
    // A key-up that no key-down of this button began clicks nothing.
    button.handle(FL_KEYUP);
    EXPECT_EQ(clicks, 1);
}

}  // namespace
