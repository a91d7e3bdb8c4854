#include "scores/frm_scores_widgets.h"

#include <FL/Fl.H>
#include <FL/Fl_Window.H>
#include <FL/fl_draw.H>

#include "scores/frm_scores_layout.h"

namespace scores_dialog {

void NameFonts() {
    // Xft names: the first character is the style (B bold, P bold italic).
    Fl::set_font(ArialBold, "BArial");
    Fl::set_font(ArialBoldItalic, "PArial");
}

TextBox::TextBox(int x, int y, int width, int height) : Fl_Input(x, y, width, height) {}

int TextBox::handle(int event) {
    if (maxLength_ == 0) return Fl_Input::handle(event);
    // Keys, compose sequences, pastes and drops all end in an edit; each is checked once done.
    const std::string before(value(), static_cast<std::size_t>(size()));
    const int result = Fl_Input::handle(event);
    const std::string_view after(value(), static_cast<std::size_t>(size()));
    if (Utf8Length(after) > maxLength_) {
        std::size_t caret = 0;
        const std::string kept = LimitEdit(before, after, maxLength_, caret);
        value(kept.data(), static_cast<int>(kept.size()));
        position(static_cast<int>(caret));
    }
    return result;
}

ListBox::ListBox(int x, int y, int width, int height) : Fl_Widget(x, y, width, height) {
    box(FL_DOWN_BOX);
    clear_visible_focus();
}

void ListBox::Clear() {
    rows_.clear();
    redraw();
}

void ListBox::AddItem(std::string row) {
    rows_.push_back(std::move(row));
    redraw();
}

void ListBox::draw() {
    // Not draw_box, which greys a disabled widget's colour.
    fl_draw_box(box(), x(), y(), w(), h(), color());
    const int left = x() + Fl::box_dx(box());
    const int top = y() + Fl::box_dy(box());
    fl_push_clip(left, top, w() - Fl::box_dw(box()), h() - Fl::box_dh(box()));
    fl_font(labelfont(), labelsize());
    fl_color(labelcolor());
    const int rowHeight = fl_height();
    int baseline = top + rowHeight - fl_descent();
    for (const std::string& row : rows_) {
        // The plain form of fl_draw: a name with '@' or '&' in it shows as typed.
        fl_draw(row.c_str(), static_cast<int>(row.size()), left + 1, baseline);
        baseline += rowHeight;
    }
    fl_pop_clip();
}


}  // namespace scores_dialog
