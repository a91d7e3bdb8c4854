#include "platform/fltk/picture_widgets.h"

#include <FL/Fl.H>
#include <FL/fl_draw.H>

namespace toolkit {

PictureBox::PictureBox(int x, int y, int width, int height, Picture picture)
    : Fl_Group(x, y, width, height), picture_(std::move(picture)) {
    box(FL_NO_BOX);
    end();
}

void PictureBox::SetPicture(Picture picture) {
    picture_ = std::move(picture);
    redraw();
}

void PictureBox::draw() {
    if (damage() & ~FL_DAMAGE_CHILD) {
        // A picture larger than the box is cut at its right and bottom edges.
        fl_push_clip(x(), y(), w(), h());
        picture_.Draw(x(), y());
        fl_pop_clip();
    }
    draw_children();
}

PictureButton::PictureButton(int x, int y, int width, int height, Picture face)
    : Fl_Button(x, y, width, height), face_(std::move(face)) {
    box(FL_UP_BOX);
    down_box(FL_DOWN_BOX);
    color(FL_BLACK);
}

int PictureButton::handle(int event) {
    const int key = Fl::event_key();
    const bool enter = key == FL_Enter || key == FL_KP_Enter;
    // As on the desktop the game was made for, Enter clicks the button that has the focus...
    if (event == FL_KEYBOARD && enter && Fl::focus() == this) {
        do_callback();
        return 1;
    }
    // Space presses the focused button down and clicks it on release: a held Space clicks once,
    // and its repeats do not reach whatever the click opens.
    if (key == ' ' && Fl::focus() == this) {
        if (event == FL_KEYBOARD) {
            if (!value()) value(1);
            return 1;
        }
        if (event == FL_KEYUP && value()) {
            value(0);
            do_callback();
            return 1;
        }
    }
    // ...and otherwise the window's default button; Esc clicks its cancel button.
    // FLTK offers an unused shortcut to every window, the one under the pointer first: only
    // the window that has the keyboard may answer it.
    const bool ownWindowHasKeys = Fl::focus() != nullptr && Fl::focus()->top_window() == top_window();
    if (event == FL_SHORTCUT && ownWindowHasKeys && ((isDefault_ && enter) || (isCancel_ && key == FL_Escape))) {
        do_callback();
        return 1;
    }
    return Fl_Button::handle(event);
}

void PictureButton::draw() {
    const bool pressed = value() != 0;
    const Fl_Boxtype frame = pressed ? down_box() : box();
    draw_box(frame, color());
    const int innerX = x() + Fl::box_dx(frame);
    const int innerY = y() + Fl::box_dy(frame);
    const int innerW = w() - Fl::box_dw(frame);
    const int innerH = h() - Fl::box_dh(frame);
    // The face is centred; on a button narrower than the face only its middle shows.
    const int shift = pressed ? 1 : 0;
    fl_push_clip(innerX, innerY, innerW, innerH);
    face_.Draw(innerX + (innerW - face_.Width()) / 2 + shift, innerY + (innerH - face_.Height()) / 2 + shift);
    if (Fl::focus() == this && Fl::visible_focus()) {
        fl_color(FL_BLACK);
        fl_line_style(FL_DOT);
        fl_rect(innerX + 1, innerY + 1, innerW - 2, innerH - 2);
        fl_line_style(0);
    }
    fl_pop_clip();
}

}  // namespace toolkit
