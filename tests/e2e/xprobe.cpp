// Small X11 helper for the end-to-end tests and the measurements:
//   xprobe close WINDOW    asks a window to close as a window manager's close box does
//                          (WM_DELETE_WINDOW); xdotool's windowclose destroys it instead
//   xprobe watch           prints one line per top-level window mapped or unmapped:
//                          "<event> <monotonic ms> <id> <x> <y> <width> <height> <name>"
//   xprobe cover X Y W H MS  lays a white window over that part of the screen for MS
//                          milliseconds, then takes it away: what was beneath must be drawn again
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>

namespace {

double MonotonicMilliseconds() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<double>(now.tv_sec) * 1000.0 + static_cast<double>(now.tv_nsec) / 1e6;
}

std::string WindowName(Display* display, Window window) {
    XTextProperty property{};
    if (!XGetWMName(display, window, &property) || !property.value) return "";
    std::string name(reinterpret_cast<char*>(property.value), property.nitems);
    XFree(property.value);
    return name;
}

int Close(Display* display, Window window) {
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(display, window, False, NoEventMask, &event);
    XSync(display, False);
    return 0;
}

void Report(Display* display, const char* what, Window window) {
    // A window destroyed right after it was unmapped can no longer be looked at.
    XWindowAttributes attributes{};
    if (!XGetWindowAttributes(display, window, &attributes)) attributes = XWindowAttributes{};
    std::printf("%s %.3f 0x%lx %d %d %d %d %s\n", what, MonotonicMilliseconds(), window, attributes.x, attributes.y,
                attributes.width, attributes.height, WindowName(display, window).c_str());
    std::fflush(stdout);
}

int Watch(Display* display) {
    const Window root = DefaultRootWindow(display);
    XSelectInput(display, root, SubstructureNotifyMask);
    XSync(display, False);
    std::printf("ready %.3f\n", MonotonicMilliseconds());
    std::fflush(stdout);
    for (;;) {
        XEvent event;
        XNextEvent(display, &event);
        if (event.type == MapNotify && event.xmap.event == root) Report(display, "map", event.xmap.window);
        if (event.type == UnmapNotify && event.xunmap.event == root) Report(display, "unmap", event.xunmap.window);
    }
}

int Cover(Display* display, int x, int y, int width, int height, int milliseconds) {
    XSetWindowAttributes attributes{};
    attributes.override_redirect = True;
    attributes.background_pixel = WhitePixel(display, DefaultScreen(display));
    const Window cover = XCreateWindow(display, DefaultRootWindow(display), x, y, static_cast<unsigned>(width),
                                       static_cast<unsigned>(height), 0, CopyFromParent, InputOutput, CopyFromParent,
                                       CWOverrideRedirect | CWBackPixel, &attributes);
    XMapRaised(display, cover);
    XSync(display, False);
    const timespec pause{milliseconds / 1000, (milliseconds % 1000) * 1000000L};
    nanosleep(&pause, nullptr);
    XDestroyWindow(display, cover);
    XSync(display, False);
    return 0;
}

// A window that is gone before it could be looked at is no error here.
int IgnoreErrors(Display*, XErrorEvent*) { return 0; }

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: xprobe close WINDOW | xprobe watch | xprobe cover X Y W H MS\n");
        return 2;
    }
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "xprobe: cannot open the display\n");
        return 1;
    }
    XSetErrorHandler(IgnoreErrors);
    int result = 2;
    if (std::strcmp(argv[1], "close") == 0 && argc == 3) {
        result = Close(display, std::strtoul(argv[2], nullptr, 0));
    } else if (std::strcmp(argv[1], "cover") == 0 && argc == 7) {
        result = Cover(display, std::atoi(argv[2]), std::atoi(argv[3]), std::atoi(argv[4]), std::atoi(argv[5]),
                       std::atoi(argv[6]));
    } else if (std::strcmp(argv[1], "watch") == 0) {
        result = Watch(display);
    } else {
        std::fprintf(stderr, "xprobe: unknown command\n");
    }
    XCloseDisplay(display);
    return result;
}
