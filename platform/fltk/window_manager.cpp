#include "platform/fltk/window_manager.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <FL/Fl.H>
#include <FL/Fl_Window.H>
// For Fl_X, FLTK's record of a shown window: whether its first Expose has come.
#define FL_INTERNALS
#include <FL/x.H>

#include <algorithm>
#include <chrono>
#include <initializer_list>
#include <map>
#include <tuple>
#include <vector>

#include "platform/fltk/display.h"

namespace toolkit {
namespace {

// A window manager that has not put a window on screen by then is busy elsewhere; the program
// goes on as if it had.
constexpr auto OnScreenTimeout = std::chrono::seconds(1);
// How often a window that has its first picture is looked at until its frame is on screen too.
constexpr double ViewableCheckSeconds = 0.005;

Atom Intern(const char* name) { return XInternAtom(fl_display, name, False); }

void WriteFrameButtons(Window window, FrameButtons buttons) {
    if (buttons == FrameButtons::All) return;
    // _MOTIF_WM_HINTS, the hints window managers read for a frame's buttons: flags,
    // functions, decorations, input mode, status.
    constexpr long FunctionsGiven = 1, DecorationsGiven = 2;
    constexpr long Move = 4, Minimize = 8, Close = 32;
    constexpr long Border = 2, Title = 8, Menu = 16, MinimizeBox = 32;
    long functions = Move;
    long decorations = Border | Title;
    if (buttons != FrameButtons::MoveOnly) {
        functions |= Close;
        decorations |= Menu;
    }
    if (buttons == FrameButtons::MinimizeAndClose) {
        functions |= Minimize;
        decorations |= MinimizeBox;
    }
    long hints[5] = {FunctionsGiven | DecorationsGiven, functions, decorations, 0, 0};
    const Atom atom = Intern("_MOTIF_WM_HINTS");
    XChangeProperty(fl_display, window, atom, atom, 32, PropModeReplace, reinterpret_cast<unsigned char*>(hints), 5);
}

void WriteWindowType(Window window, WindowType type) {
    if (type == WindowType::Normal) return;
    const Atom kind = Intern(type == WindowType::Dialog ? "_NET_WM_WINDOW_TYPE_DIALOG" : "_NET_WM_WINDOW_TYPE_UTILITY");
    XChangeProperty(fl_display, window, Intern("_NET_WM_WINDOW_TYPE"), XA_ATOM, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(&kind), 1);
}

// A property of 32-bit items (X hands them over as longs); empty when the window has none.
std::vector<long> ReadProperty(Window window, const char* name, Atom type) {
    Atom actualType = None;
    int format = 0;
    unsigned long count = 0, remaining = 0;
    unsigned char* data = nullptr;
    std::vector<long> items;
    const int status = XGetWindowProperty(fl_display, window, Intern(name), 0, 4096, False, type, &actualType, &format,
                                          &count, &remaining, &data);
    if (status == Success && actualType == type && format == 32) {
        const long* values = reinterpret_cast<const long*>(data);
        items.assign(values, values + count);
    }
    if (data) XFree(data);
    return items;
}

// _NET_FRAME_EXTENTS of a window: left, right, top, bottom; false while it has none.
bool ReadFrame(Window window, Frame& frame) {
    const std::vector<long> sides = ReadProperty(window, "_NET_FRAME_EXTENTS", XA_CARDINAL);
    if (sides.size() != 4) return false;
    frame = {static_cast<int>(sides[0]), static_cast<int>(sides[1]), static_cast<int>(sides[2]),
             static_cast<int>(sides[3])};
    return true;
}

// A window manager that follows the desktop hints names a window of its own on the root, which
// names itself back.
bool WindowManagerRunning() {
    const std::vector<long> check =
        ReadProperty(RootWindow(fl_display, fl_screen), "_NET_SUPPORTING_WM_CHECK", XA_WINDOW);
    if (check.size() != 1) return false;
    const std::vector<long> back = ReadProperty(static_cast<Window>(check[0]), "_NET_SUPPORTING_WM_CHECK", XA_WINDOW);
    return back.size() == 1 && back[0] == check[0];
}

bool WindowManagerSupports(const char* hint) {
    if (!WindowManagerRunning()) return false;
    const std::vector<long> hints = ReadProperty(RootWindow(fl_display, fl_screen), "_NET_SUPPORTED", XA_ATOM);
    const long wanted = static_cast<long>(Intern(hint));
    return std::find(hints.begin(), hints.end(), wanted) != hints.end();
}

bool Viewable(Window window) {
    XWindowAttributes attributes{};
    return XGetWindowAttributes(fl_display, window, &attributes) && attributes.map_state == IsViewable;
}

void SendToWindowManager(Window window, const char* message, std::initializer_list<long> data) {
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = Intern(message);
    event.xclient.format = 32;
    int at = 0;
    for (const long item : data) event.xclient.data.l[at++] = item;
    XSendEvent(fl_display, RootWindow(fl_display, fl_screen), False, SubstructureRedirectMask | SubstructureNotifyMask,
               &event);
}

// A question of the frame, asked with an unmapped stand-in window.
struct FrameQuestion {
    Window probe = 0;
    bool answered = false;
    Frame frame;
};

constexpr unsigned ProbeSize = 100;
std::map<WindowHints, FrameQuestion> questions;

int RestackModal(void* event, void*) {
    const XEvent& xevent = *static_cast<const XEvent*>(event);
    Window changed = 0;
    if (xevent.type == MapNotify) changed = xevent.xmap.window;
    if (xevent.type == ConfigureNotify) changed = xevent.xconfigure.window;
    Fl_Window* modal = Fl::modal();
    if (!changed || !modal || !modal->shown() || changed == fl_xid(modal)) return 0;
    // Only the program's own top-level windows count; a tooltip or menu rides above anything.
    const Fl_Window* window = fl_find(changed);
    if (!window || window->parent() || window->override()) return 0;
    XRaiseWindow(fl_display, fl_xid(modal));
    // A window mapped anew (the X window of a blocked one, recreated after it was destroyed)
    // may have been handed the keyboard.
    if (xevent.type == MapNotify) XSetInputFocus(fl_display, fl_xid(modal), RevertToParent, CurrentTime);
    // FLTK still handles the event.
    return 0;
}

}  // namespace

ManagerHold::ManagerHold() {
    OpenDisplay();
    // The manager's own requests wait meanwhile: it reads the window's hints only after ours.
    XGrabServer(fl_display);
}

ManagerHold::~ManagerHold() {
    XUngrabServer(fl_display);
    XFlush(fl_display);
}

void WriteWindowHints(const Fl_Window& window, const WindowHints& hints) {
    const Window xid = fl_xid(&window);
    if (!xid) return;
    WriteFrameButtons(xid, hints.buttons);
    WriteWindowType(xid, hints.type);
}

void RequestFrameButtons(const Fl_Window& window, FrameButtons buttons) {
    if (const Window xid = fl_xid(&window)) WriteFrameButtons(xid, buttons);
}

bool WindowHints::operator<(const WindowHints& other) const {
    return std::tie(buttons, type, resizable) < std::tie(other.buttons, other.type, other.resizable);
}

void AskFrame(const WindowHints& hints) {
    OpenDisplay();
    if (questions.count(hints) || !WindowManagerSupports("_NET_REQUEST_FRAME_EXTENTS")) return;
    // An unmapped stand-in with the same hints: the manager writes on it the frame it would give.
    const Window root = RootWindow(fl_display, fl_screen);
    const Window probe = XCreateSimpleWindow(fl_display, root, 0, 0, ProbeSize, ProbeSize, 0, 0, 0);
    if (!hints.resizable) {
        XSizeHints* size = XAllocSizeHints();
        size->flags = PMinSize | PMaxSize;
        size->min_width = size->max_width = ProbeSize;
        size->min_height = size->max_height = ProbeSize;
        XSetWMNormalHints(fl_display, probe, size);
        XFree(size);
    }
    WriteFrameButtons(probe, hints.buttons);
    WriteWindowType(probe, hints.type);
    SendToWindowManager(probe, "_NET_REQUEST_FRAME_EXTENTS", {});
    XFlush(fl_display);
    questions[hints] = {probe, false, {}};
}

Frame ExpectedFrame(const WindowHints& hints) {
    if (!fl_display) return {};
    const auto asked = questions.find(hints);
    if (asked != questions.end()) {
        FrameQuestion& question = asked->second;
        // Looked at, never waited for: a manager may never answer.
        if (!question.answered && ReadFrame(question.probe, question.frame)) {
            question.answered = true;
            XDestroyWindow(fl_display, question.probe);
        }
        if (question.answered) return question.frame;
    }
    for (Fl_Window* window = Fl::first_window(); window; window = Fl::next_window(window)) {
        if (!window->border() || window->parent() || window->override()) continue;
        Frame frame;
        if (ReadFrame(fl_xid(window), frame)) return frame;
    }
    return {};
}

Frame ShownFrame(const Fl_Window& window, const Frame& expected) {
    Frame frame = expected;
    if (const Window xid = fl_xid(&window)) ReadFrame(xid, frame);
    return frame;
}

void ClientOrigin(const Fl_Window& window, int& x, int& y) {
    x = window.x();
    y = window.y();
    const Window xid = fl_xid(&window);
    Window child = 0;
    if (xid) XTranslateCoordinates(fl_display, xid, RootWindow(fl_display, fl_screen), 0, 0, &x, &y, &child);
}

void MoveClient(Fl_Window& window, int x, int y) {
    window.position(x, y);
    if (const Window xid = fl_xid(&window)) XMoveWindow(fl_display, xid, x, y);
}

void WaitUntilOnScreen(Fl_Window& window) {
    const auto deadline = std::chrono::steady_clock::now() + OnScreenTimeout;
    for (;;) {
        if (!window.shown()) return;
        // The first Expose comes once the window can be seen; a manager's frame around it can
        // still be on its way, and it sends no event of ours when it comes.
        const bool exposed = !Fl_X::i(&window)->wait_for_expose;
        if (exposed && Viewable(fl_xid(&window))) return;
        const std::chrono::duration<double> left = deadline - std::chrono::steady_clock::now();
        if (left.count() <= 0) return;
        Fl::wait(exposed ? std::min(left.count(), ViewableCheckSeconds) : left.count());
    }
}

void TakeKeyboard(Fl_Window& window) {
    WaitUntilOnScreen(window);
    const Window xid = fl_xid(&window);
    if (!xid) return;
    // A window manager is asked to activate it, which raises it too.
    constexpr long FromApplication = 1;
    if (WindowManagerSupports("_NET_ACTIVE_WINDOW")) {
        SendToWindowManager(xid, "_NET_ACTIVE_WINDOW", {FromApplication, CurrentTime, 0});
    }
    GiveKeyboard(window);
}

bool GiveKeyboard(Fl_Window& window) {
    const Window xid = window.shown() ? fl_xid(&window) : 0;
    if (!xid || !Viewable(xid)) return false;
    XSetInputFocus(fl_display, xid, RevertToParent, CurrentTime);
    return true;
}

void KeepModalWindowOnTop() {
    static bool installed = false;
    if (installed) return;
    Fl::add_system_handler(RestackModal, nullptr);
    installed = true;
}

}  // namespace toolkit
