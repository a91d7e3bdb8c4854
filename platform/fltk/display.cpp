#include "platform/fltk/display.h"

#include <X11/Xft/Xft.h>
#include <X11/Xlib.h>

#include <FL/Fl.H>
#include <FL/x.H>

namespace toolkit {
namespace {

// On a palette display anti-aliased text is drawn as solid boxes over coloured backgrounds;
// plain rendering keeps every message readable there.
void UsePlainTextOnPaletteDisplays() {
    if (DefaultDepth(fl_display, fl_screen) > 8) return;
    FcPattern* defaults = FcPatternCreate();
    FcPatternAddBool(defaults, XFT_RENDER, FcFalse);
    XftDefaultSet(fl_display, defaults);
}

}  // namespace

void OpenDisplay() {
    if (fl_display) return;
    fl_open_display();
    UsePlainTextOnPaletteDisplays();
}

ColourFormat DisplayColourFormat() {
    OpenDisplay();
    // X has no separate colour planes: a pixel's bits are all in one.
    return {DefaultDepth(fl_display, fl_screen), 1};
}

}  // namespace toolkit
