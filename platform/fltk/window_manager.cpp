#include "platform/fltk/window_manager.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <FL/Fl.H>
#include <FL/Fl_Window.H>
#include <FL/x.H>

#include <algorithm>
#include <chrono>
#include <initializer_list>
#include <map>
#include <thread>
#include <utility>
#include <vector>

#include "platform/fltk/display.h"

namespace toolkit {
namespace {

// A window manager that does not answer by then is taken to draw no frame, and is not asked
// again.
constexpr auto FrameAnswerTimeout = std::chrono::seconds(1);
bool frameQuestionsAnswered = true;

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

// An unmapped stand-in with the same frame hints is shown to the window manager, which writes
// the frame it would give it.
Frame AskFrame(FrameButtons buttons, bool resizable) {
    const Window root = RootWindow(fl_display, fl_screen);
    const Window probe = XCreateSimpleWindow(fl_display, root, 0, 0, 100, 100, 0, 0, 0);
    if (!resizable) {
        XSizeHints* size = XAllocSizeHints();
        size->flags = PMinSize | PMaxSize;
        size->min_width = size->max_width = 100;
        size->min_height = size->max_height = 100;
        XSetWMNormalHints(fl_display, probe, size);
        XFree(size);
    }
    WriteFrameButtons(probe, buttons);
    SendToWindowManager(probe, "_NET_REQUEST_FRAME_EXTENTS", {});
    Frame frame;
    const auto deadline = std::chrono::steady_clock::now() + FrameAnswerTimeout;
    bool answered = ReadFrame(probe, frame);
    while (!answered && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
        answered = ReadFrame(probe, frame);
    }
    frameQuestionsAnswered = answered;
    XDestroyWindow(fl_display, probe);
    return frame;
}

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

void RequestFrameButtons(const Fl_Window& window, FrameButtons buttons) {
    if (const Window xid = fl_xid(&window)) WriteFrameButtons(xid, buttons);
}

Frame ExpectedFrame(FrameButtons buttons, bool resizable) {
    static std::map<std::pair<FrameButtons, bool>, Frame> known;
    const auto kind = std::make_pair(buttons, resizable);
    const auto found = known.find(kind);
    if (found != known.end()) return found->second;
    OpenDisplay();
    const bool ask = frameQuestionsAnswered && WindowManagerSupports("_NET_REQUEST_FRAME_EXTENTS");
    const Frame frame = ask ? AskFrame(buttons, resizable) : Frame{};
    known[kind] = frame;
    return frame;
}

Frame ShownFrame(const Fl_Window& window, const Frame& expected) {
    Frame frame = expected;
    if (const Window xid = fl_xid(&window)) ReadFrame(xid, frame);
    return frame;
}

void TakeKeyboard(Fl_Window& window) {
    window.wait_for_expose();
    const Window xid = fl_xid(&window);
    // A window manager is asked to activate it, which raises it too.
    constexpr long FromApplication = 1;
    if (WindowManagerSupports("_NET_ACTIVE_WINDOW")) {
        SendToWindowManager(xid, "_NET_ACTIVE_WINDOW", {FromApplication, CurrentTime, 0});
    }
    XWindowAttributes attributes{};
    if (XGetWindowAttributes(fl_display, xid, &attributes) && attributes.map_state == IsViewable) {
        XSetInputFocus(fl_display, xid, RevertToParent, CurrentTime);
    }
}

void KeepModalWindowOnTop() {
    static bool installed = false;
    if (installed) return;
    Fl::add_system_handler(RestackModal, nullptr);
    installed = true;
}

}  // namespace toolkit
