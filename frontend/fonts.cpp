#include "frontend/fonts.h"

#include <FL/Fl.H>

void LoadFonts() {
    // Xft names: the first character is the style (blank plain, B bold).
    Fl::set_font(Arial, " Arial");
    Fl::set_font(ArialBold, "BArial");
    Fl::set_font(SmallFonts, " Arial Narrow");
}
