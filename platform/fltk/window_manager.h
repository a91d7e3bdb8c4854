// What a window manager, when one runs, does to the program's windows: the frame it draws
// around them, the keyboard it hands over, and the stacking of a modal window over the
// windows it blocks.
#pragma once

class Fl_Window;

namespace toolkit {

// The buttons the window manager offers on a window's frame (every frame can be moved).
enum class FrameButtons { All, MinimizeAndClose, CloseOnly, MoveOnly };

// Pixels the frame adds on each side of a window's client area: title bar and borders.
struct Frame {
    int left = 0;
    int right = 0;
    int top = 0;
    int bottom = 0;

    int Width() const { return left + right; }
    int Height() const { return top + bottom; }
};

// Asks the window manager for these buttons on a shown window's frame.
void RequestFrameButtons(const Fl_Window& window, FrameButtons buttons);

// The frame a window with these buttons gets, asked of the window manager before any such
// window is shown; none without a window manager.
Frame ExpectedFrame(FrameButtons buttons, bool resizable);
// The frame of a window, as its window manager reports it once shown; expected before, or
// while it does not report one yet.
Frame ShownFrame(const Fl_Window& window, const Frame& expected);

// Gives a shown window the keyboard, as the window the user turns to, also where no window
// manager hands it over.
void TakeKeyboard(Fl_Window& window);

// From now on, whenever another window of the program is mapped or restacked while a modal
// window is up, the modal window goes back on top: it stays above the windows it blocks, also
// where no window manager keeps it there.
void KeepModalWindowOnTop();

}  // namespace toolkit
