#include <gtest/gtest.h>

#include <FL/Enumerations.H>
#include <FL/Fl.H>

#include <chrono>
#include <cstdlib>
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

using Clock = std::chrono::steady_clock;

double Milliseconds(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

// Runs the event loop until done says so or a generous deadline passes.
template <class Done>
void RunUntil(Done done) {
    const Clock::time_point deadline = Clock::now() + std::chrono::seconds(10);
    while (!done() && Clock::now() < deadline) Fl::wait(0.05);
}

// Counts the ticks of a timer, keeps the times of the first and the last, and works for a
// while in each, like a frame.
struct BusyTicks {
    explicit BusyTicks(int workMilliseconds) : work(workMilliseconds) {}
    void Tick() {
        last = Clock::now();
        if (count++ == 0) first = last;
        const Clock::time_point busyUntil = last + std::chrono::milliseconds(work);
        while (Clock::now() < busyUntil) {
        }
    }
    // Mean period between the first and the last tick.
    double MeanMilliseconds() const { return Milliseconds(last - first) / (count - 1); }

    int work;
    int count = 0;
    Clock::time_point first;
    Clock::time_point last;
};

TEST(FrameTimer, TicksOncePerIntervalWithoutDriftingByTheWorkOfATick) {
    constexpr int Ticks = 30;
    constexpr int Interval = 10;
    // A tick that takes 40% of the period: the next one still comes on time.
    BusyTicks ticks(4);
    toolkit::FrameTimer timer([&] {
        ticks.Tick();
        if (ticks.count == Ticks) timer.SetInterval(0);
    });
    timer.SetInterval(Interval);
    RunUntil([&] { return ticks.count >= Ticks; });
    ASSERT_EQ(ticks.count, Ticks);
    const double mean = ticks.MeanMilliseconds();
    EXPECT_GT(mean, Interval * 0.9);
    EXPECT_LT(mean, Interval * 1.2) << "the period drifts with the work of a tick";
    EXPECT_EQ(timer.Interval(), 0);
}

TEST(FrameTimer, KeepsItsPhaseWhenSetToItsOwnIntervalAndStopsAtZero) {
    // As a game's first frame sets the interval the timer already runs at: a timer restarted
    // there would wait a whole period after the tick's work, 30 ms instead of 20.
    constexpr int Interval = 20;
    BusyTicks ticks(10);
    toolkit::FrameTimer timer([&] {
        ticks.Tick();
        timer.SetInterval(Interval);
    });
    timer.SetInterval(Interval);
    RunUntil([&] { return ticks.count >= 6; });
    ASSERT_EQ(ticks.count, 6);
    EXPECT_LT(ticks.MeanMilliseconds(), Interval * 1.25);

    timer.SetInterval(0);
    const int stoppedAt = ticks.count;
    const Clock::time_point quietUntil = Clock::now() + std::chrono::milliseconds(100);
    while (Clock::now() < quietUntil) Fl::wait(0.02);
    EXPECT_EQ(ticks.count, stoppedAt);
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
