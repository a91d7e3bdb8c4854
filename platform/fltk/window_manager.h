// What a window manager, when one runs, does to the program's windows: the frame it draws
// around them, where it puts them, the keyboard it hands over, and the stacking of a modal
// window over the windows it blocks. Nothing here waits on a manager for long: one that does
// not answer is taken to have done what was asked.
#pragma once

class Fl_Window;

namespace toolkit {

// The buttons the window manager offers on a window's frame (every frame can be moved).
enum class FrameButtons { All, MinimizeAndClose, CloseOnly, MoveOnly };

// What the desktop is told the window is: a utility window gets a small tool-window frame.
enum class WindowType { Normal, Dialog, Utility };

// What the window manager reads when it takes a window in.
struct WindowHints {
    FrameButtons buttons = FrameButtons::All;
    WindowType type = WindowType::Normal;
    bool resizable = true;

    bool operator<(const WindowHints& other) const;
};

// Pixels the frame adds on each side of a window's client area: title bar and borders.
struct Frame {
    int left = 0;
    int right = 0;
    int top = 0;
    int bottom = 0;

    int Width() const { return left + right; }
    int Height() const { return top + bottom; }
};

// Holds the window manager off while it lives: a window created and mapped meanwhile is taken
// in by the manager only after the hints written before the hold ends.
class ManagerHold {
public:
    ManagerHold();
    ~ManagerHold();
    ManagerHold(const ManagerHold&) = delete;
    ManagerHold& operator=(const ManagerHold&) = delete;
};

// Writes all the hints on a window just created; under a ManagerHold, before its manager
// reads them.
void WriteWindowHints(const Fl_Window& window, const WindowHints& hints);
// Asks again for these buttons on a shown window's frame (FLTK rewrites the hints it shares).
void RequestFrameButtons(const Fl_Window& window, FrameButtons buttons);

// Asks the window manager, once for each kind of window and without waiting, what frame it
// gives a window with these hints.
void AskFrame(const WindowHints& hints);
// The frame a window with these hints gets: the manager's answer if it has come, else the frame
// of the program's windows already on screen; none before either, or without a manager.
Frame ExpectedFrame(const WindowHints& hints);
// The frame of a window, as its window manager reports it once shown; expected before, or
// while it does not report one yet.
Frame ShownFrame(const Fl_Window& window, const Frame& expected);

// Where the client area of a shown window is on the screen, asked of the X server: FLTK's own
// record can be off under a window manager that reports it oddly.
void ClientOrigin(const Fl_Window& window, int& x, int& y);
// Moves a shown window's client area there; FLTK would not ask when its record says it is.
void MoveClient(Fl_Window& window, int x, int y);

// Waits until a window just shown is on screen (its frame too) and drawable, for about a second
// at most: a window manager busy elsewhere may map it later.
void WaitUntilOnScreen(Fl_Window& window);

// Gives a shown window the keyboard, as the window the user turns to, also where no window
// manager hands it over.
void TakeKeyboard(Fl_Window& window);
// Gives a window on screen the keyboard at once, asking nobody; false when it is not on screen
// (hidden, minimised).
bool GiveKeyboard(Fl_Window& window);

// From now on, whenever another window of the program is mapped or restacked while a modal
// window is up, the modal window goes back on top: it stays above the windows it blocks, also
// where no window manager keeps it there.
void KeepModalWindowOnTop();

}  // namespace toolkit
