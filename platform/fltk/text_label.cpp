#include "platform/fltk/text_label.h"

#include <FL/fl_draw.H>

namespace toolkit {

TextLabel::TextLabel(int x, int y, int width, int height, const char* text) : Fl_Box(x, y, width, height, text) {
    box(FL_NO_BOX);
}

void TextLabel::draw() {
    draw_box();
    if (!label()) return;
    fl_font(labelfont(), labelsize());
    fl_color(active_r() ? labelcolor() : fl_inactive(labelcolor()));
    // FLTK's own label drawing moves a left or right aligned text 3 pixels in.
    fl_draw(label(), x(), y(), w(), h(), align() | FL_ALIGN_INSIDE);
}

}  // namespace toolkit
