// Small X11 helper for the end-to-end tests and the measurements:
//   xprobe close WINDOW    asks a window to close as a window manager's close box does
//                          (WM_DELETE_WINDOW); xdotool's windowclose destroys it instead
//   xprobe watch           prints one line per top-level window mapped or unmapped:
//                          "<event> <monotonic ms> <id> <x> <y> <width> <height> <name>"; a
//                          window manager's frame is named for the window it holds
//   xprobe managed         succeeds when a window manager has taken the root window (it
//                          redirects the mapping of the root's children)
//   xprobe geometry WINDOW prints "<x> <y> <width> <height>" of the window on the screen, then
//                          the same of it with the frame a window manager put around it (the
//                          window itself again when none did)
//   xprobe stack           prints the named windows shown on the screen, bottom to top, one
//                          id a line (inside a window manager's frames)
//   xprobe frame           asks the window manager for the frame it gives a window and prints
//                          "<left> <right> <top> <bottom>"; nothing when none answers at once
//   xprobe keys TEXT       binds every character of TEXT that no key gives to a spare key, so
//                          that xdotool types it without remapping a key between two letters
//                          (a client that looks the key up late would read the old mapping)
//   xprobe cover X Y W H MS  lays a white window over that part of the screen for MS
//                          milliseconds, then takes it away: what was beneath must be drawn again
//   xprobe grab            reads "X Y W H" lines and answers each with that part of the screen
//                          as 8-bit RGB, W * H * 3 bytes: one connection for every screenshot
//                          of a test, where a program started per screenshot costs more than
//                          the picture
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <map>
#include <string>
#include <vector>

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

// The first window with a name at or under this one, depth first; 0 when none.
Window Named(Display* display, Window window) {
    if (!WindowName(display, window).empty()) return window;
    Window root = 0, parent = 0;
    Window* children = nullptr;
    unsigned count = 0;
    Window found = 0;
    if (XQueryTree(display, window, &root, &parent, &children, &count)) {
        for (unsigned i = 0; i < count && !found; ++i) found = Named(display, children[i]);
        if (children) XFree(children);
    }
    return found;
}

// Names learnt as early as the events allow: a window destroyed right after it was unmapped,
// or a frame whose window is gone, can no longer be looked at, and a watch slowed by a busy
// machine may look late.
std::map<Window, std::string> names;
// The window a window manager's frame holds, from the reparenting.
std::map<Window, Window> frameClients;

void Learn(Display* display, Window window) {
    const Window named = Named(display, window);
    const std::string name = named ? WindowName(display, named) : "";
    if (!name.empty()) names[window] = name;
}

std::string KnownName(Window window) {
    if (!names[window].empty()) return names[window];
    const auto client = frameClients.find(window);
    return client == frameClients.end() ? "" : names[client->second];
}

void Report(Display* display, const char* what, Window window) {
    XWindowAttributes attributes{};
    if (!XGetWindowAttributes(display, window, &attributes)) attributes = XWindowAttributes{};
    Learn(display, window);
    std::printf("%s %.3f 0x%lx %d %d %d %d %s\n", what, MonotonicMilliseconds(), window, attributes.x, attributes.y,
                attributes.width, attributes.height, KnownName(window).c_str());
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
        if (event.type == CreateNotify && event.xcreatewindow.parent == root) Learn(display, event.xcreatewindow.window);
        if (event.type == ReparentNotify && event.xreparent.event == root) {
            frameClients[event.xreparent.parent] = event.xreparent.window;
            Learn(display, event.xreparent.window);
        }
        if (event.type == MapNotify && event.xmap.event == root) Report(display, "map", event.xmap.window);
        if (event.type == UnmapNotify && event.xunmap.event == root) Report(display, "unmap", event.xunmap.window);
    }
}

// The child of the root that holds the window: its window manager's frame, or itself.
Window TopLevel(Display* display, Window window) {
    for (;;) {
        Window root = 0, parent = 0;
        Window* children = nullptr;
        unsigned count = 0;
        if (!XQueryTree(display, window, &root, &parent, &children, &count)) return window;
        if (children) XFree(children);
        if (parent == root || parent == 0) return window;
        window = parent;
    }
}

int Geometry(Display* display, Window window) {
    XWindowAttributes client{};
    XWindowAttributes outer{};
    int x = 0, y = 0;
    Window child = 0;
    if (!XGetWindowAttributes(display, window, &client) ||
        !XGetWindowAttributes(display, TopLevel(display, window), &outer) ||
        !XTranslateCoordinates(display, window, DefaultRootWindow(display), 0, 0, &x, &y, &child)) {
        return 1;
    }
    std::printf("%d %d %d %d %d %d %d %d\n", x, y, client.width, client.height, outer.x, outer.y, outer.width,
                outer.height);
    return 0;
}

int Stack(Display* display) {
    Window root = 0, parent = 0;
    Window* children = nullptr;
    unsigned count = 0;
    if (!XQueryTree(display, DefaultRootWindow(display), &root, &parent, &children, &count)) return 1;
    // XQueryTree lists the children bottom to top.
    for (unsigned i = 0; i < count; ++i) {
        XWindowAttributes attributes{};
        if (!XGetWindowAttributes(display, children[i], &attributes) || attributes.map_state != IsViewable) continue;
        if (const Window named = Named(display, children[i])) std::printf("0x%lx\n", named);
    }
    if (children) XFree(children);
    return 0;
}

int AskFrame(Display* display) {
    const Window root = DefaultRootWindow(display);
    const Window probe = XCreateSimpleWindow(display, root, 0, 0, 100, 100, 0, 0, 0);
    const Atom extents = XInternAtom(display, "_NET_FRAME_EXTENTS", False);
    XEvent request{};
    request.xclient.type = ClientMessage;
    request.xclient.window = probe;
    request.xclient.message_type = XInternAtom(display, "_NET_REQUEST_FRAME_EXTENTS", False);
    request.xclient.format = 32;
    XSendEvent(display, root, False, SubstructureRedirectMask | SubstructureNotifyMask, &request);
    for (int attempt = 0; attempt < 100; ++attempt) {
        Atom type = None;
        int format = 0;
        unsigned long count = 0, remaining = 0;
        unsigned char* data = nullptr;
        XGetWindowProperty(display, probe, extents, 0, 4, False, XA_CARDINAL, &type, &format, &count, &remaining,
                           &data);
        if (data && count == 4) {
            const long* sides = reinterpret_cast<const long*>(data);
            std::printf("%ld %ld %ld %ld\n", sides[0], sides[1], sides[2], sides[3]);
            XFree(data);
            return 0;
        }
        if (data) XFree(data);
        timespec pause{0, 2000000};
        nanosleep(&pause, nullptr);
    }
    return 0;
}

// The keysym of one Unicode character: Latin-1 maps to itself, the rest to the Unicode range.
KeySym KeysymOf(unsigned long code) {
    return code < 0x100 ? code : 0x01000000 | code;
}

// The characters of a UTF-8 text, one code each (the text is the test's own and well formed).
std::vector<unsigned long> CodesOf(const std::string& text) {
    std::vector<unsigned long> codes;
    for (std::size_t at = 0; at < text.size();) {
        const auto lead = static_cast<unsigned char>(text[at]);
        const int length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        unsigned long code = length == 1 ? lead : lead & (0x7F >> length);
        for (int i = 1; i < length && at + i < text.size(); ++i) {
            code = code << 6 | (static_cast<unsigned char>(text[at + i]) & 0x3F);
        }
        codes.push_back(code);
        at += length;
    }
    return codes;
}

int BindKeys(Display* display, const std::string& text) {
    int first = 0, last = 0;
    XDisplayKeycodes(display, &first, &last);
    int perKey = 0;
    KeySym* map = XGetKeyboardMapping(display, first, last - first + 1, &perKey);
    int spare = last;
    for (const unsigned long code : CodesOf(text)) {
        const KeySym keysym = KeysymOf(code);
        if (XKeysymToKeycode(display, keysym) != 0) continue;
        auto unused = [&](int keycode) {
            for (int i = 0; i < perKey; ++i) {
                if (map[(keycode - first) * perKey + i] != NoSymbol) return false;
            }
            return true;
        };
        while (spare >= first && !unused(spare)) --spare;
        if (spare < first) {
            XFree(map);
            std::fprintf(stderr, "xprobe: no spare key left\n");
            return 1;
        }
        KeySym both[2] = {keysym, keysym};
        XChangeKeyboardMapping(display, spare, 2, both, 1);
        map[(spare - first) * perKey] = keysym;
        XSync(display, False);
    }
    XFree(map);
    return 0;
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

// Writes the part of the root window as RGB; "ready" first, then one picture per request.
int Grab(Display* display) {
    const Window root = DefaultRootWindow(display);
    XWindowAttributes attributes{};
    XGetWindowAttributes(display, root, &attributes);
    const Visual* visual = attributes.visual;
    const bool trueColour = visual->c_class == TrueColor || visual->c_class == DirectColor;
    std::map<unsigned long, XColor> palette;  // colour-mapped screens: looked up once a pixel
    const auto channel = [](unsigned long pixel, unsigned long mask) {
        int shift = 0;
        while (mask && !(mask & 1)) {
            mask >>= 1;
            ++shift;
        }
        return mask ? static_cast<unsigned char>(((pixel >> shift) & mask) * 255 / mask) : 0;
    };
    std::printf("ready\n");
    std::fflush(stdout);
    for (int x, y, width, height; std::scanf("%d %d %d %d", &x, &y, &width, &height) == 4;) {
        XImage* image = XGetImage(display, root, x, y, static_cast<unsigned>(width), static_cast<unsigned>(height),
                                  AllPlanes, ZPixmap);
        std::vector<unsigned char> rgb(static_cast<std::size_t>(width) * height * 3);
        if (image) {
            for (int row = 0; row < height; ++row) {
                for (int column = 0; column < width; ++column) {
                    const unsigned long pixel = XGetPixel(image, column, row);
                    unsigned char* out = &rgb[(static_cast<std::size_t>(row) * width + column) * 3];
                    if (trueColour) {
                        out[0] = channel(pixel, visual->red_mask);
                        out[1] = channel(pixel, visual->green_mask);
                        out[2] = channel(pixel, visual->blue_mask);
                        continue;
                    }
                    auto known = palette.find(pixel);
                    if (known == palette.end()) {
                        XColor colour{};
                        colour.pixel = pixel;
                        XQueryColor(display, attributes.colormap, &colour);
                        known = palette.emplace(pixel, colour).first;
                    }
                    out[0] = static_cast<unsigned char>(known->second.red >> 8);
                    out[1] = static_cast<unsigned char>(known->second.green >> 8);
                    out[2] = static_cast<unsigned char>(known->second.blue >> 8);
                }
            }
            XDestroyImage(image);
        }
        std::fwrite(rgb.data(), 1, rgb.size(), stdout);
        std::fflush(stdout);
    }
    return 0;
}

// A window that is gone before it could be looked at is no error here.
int IgnoreErrors(Display*, XErrorEvent*) { return 0; }

bool redirectRefused = false;

int NoteRefusal(Display*, XErrorEvent* error) {
    if (error->error_code == BadAccess) redirectRefused = true;
    return 0;
}

// Only one client may redirect the root's children: the window manager, when one runs.
int Managed(Display* display) {
    XSetErrorHandler(NoteRefusal);
    XSelectInput(display, DefaultRootWindow(display), SubstructureRedirectMask);
    XSync(display, False);
    XSelectInput(display, DefaultRootWindow(display), NoEventMask);
    XSync(display, False);
    XSetErrorHandler(IgnoreErrors);
    return redirectRefused ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr,
                     "usage: xprobe close WINDOW | watch | managed | geometry WINDOW | stack | frame | keys TEXT"
                     " | cover X Y W H MS | grab\n");
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
    } else if (std::strcmp(argv[1], "geometry") == 0 && argc == 3) {
        result = Geometry(display, std::strtoul(argv[2], nullptr, 0));
    } else if (std::strcmp(argv[1], "managed") == 0) {
        result = Managed(display);
    } else if (std::strcmp(argv[1], "stack") == 0) {
        result = Stack(display);
    } else if (std::strcmp(argv[1], "frame") == 0) {
        result = AskFrame(display);
    } else if (std::strcmp(argv[1], "grab") == 0) {
        result = Grab(display);
    } else if (std::strcmp(argv[1], "keys") == 0 && argc == 3) {
        result = BindKeys(display, argv[2]);
    } else {
        std::fprintf(stderr, "xprobe: unknown command\n");
    }
    XCloseDisplay(display);
    return result;
}
