#include "platform/fltk/form.h"

#include <FL/Fl.H>
#include <FL/x.H>

#include "platform/fltk/display.h"

namespace toolkit {
namespace {
Form* activeForm = nullptr;
}

Form* ActiveForm() { return activeForm; }

Form::Form(int width, int height, const char* caption) : Fl_Double_Window(width, height, caption) {
    callback(CloseRequested);
    end();
}

Form::~Form() {
    if (activeForm == this) activeForm = nullptr;
}

void Form::CloseRequested(Fl_Widget* window, void*) {
    // FLTK also sends Esc here when no widget took it: that is not a close request.
    if (Fl::event() == FL_SHORTCUT && Fl::event_key() == FL_Escape) return;
    Form& form = *static_cast<Form*>(window);
    std::int16_t cancel = 0;
    form.Form_Unload(cancel);
    if (!cancel) form.Unload();
}

void Form::ShowModeless() {
    // Modality is fixed when a window is mapped.
    if (shown() && modal()) hide();
    clear_modal_states();
    show();
    Activated();
}

void Form::ShowModal() {
    if (shown() && !modal()) hide();
    set_modal();
    show();
    // The keyboard belongs to the modal window, also where no window manager hands it over.
    wait_for_expose();
    XSetInputFocus(fl_display, fl_xid(this), RevertToParent, CurrentTime);
    Activated();
    Fl_Widget_Tracker alive(this);
    while (alive.exists() && shown()) Fl::wait();
}

void Form::Hide() { hide(); }

void Form::Repaint() {
    if (shown()) wait_for_expose();
    redraw();
    Fl::flush();
}

void Form::CenterOnScreen() {
    OpenDisplay();
    position((Fl::w() - w()) / 2, (Fl::h() - h()) / 2);
}

void Form::CenterOver(const Fl_Window& other) {
    position(other.x() + (other.w() - w()) / 2, other.y() + (other.h() - h()) / 2);
}

void Form::FixSize() { size_range(w(), h(), w(), h()); }

void Form::Activated() {
    activeForm = this;
    Form_Activate();
}

int Form::handle(int event) {
    const int result = Fl_Double_Window::handle(event);
    // The window itself is given the focus only when it becomes the active window.
    if (event == FL_FOCUS && activeForm != this && shown()) Activated();
    return result;
}

void Form::show() {
    Fl_Double_Window::show();
    ApplyFrameButtons();
}

void Form::ApplyFrameButtons() {
    if (!shown() || frameButtons_ == FrameButtons::All) return;
    // _MOTIF_WM_HINTS, the hints window managers read for a frame's buttons: flags,
    // functions, decorations, input mode, status.
    constexpr long FunctionsGiven = 1, DecorationsGiven = 2;
    constexpr long Move = 4, Minimize = 8, Close = 32;
    constexpr long Border = 2, Title = 8, Menu = 16, MinimizeBox = 32;
    long functions = Move;
    long decorations = Border | Title;
    if (frameButtons_ != FrameButtons::MoveOnly) {
        functions |= Close;
        decorations |= Menu;
    }
    if (frameButtons_ == FrameButtons::MinimizeAndClose) {
        functions |= Minimize;
        decorations |= MinimizeBox;
    }
    long hints[5] = {FunctionsGiven | DecorationsGiven, functions, decorations, 0, 0};
    const Atom atom = XInternAtom(fl_display, "_MOTIF_WM_HINTS", False);
    XChangeProperty(fl_display, fl_xid(this), atom, atom, 32, PropModeReplace, reinterpret_cast<unsigned char*>(hints),
                    5);
}

void Form::hide() {
    if (activeForm == this) activeForm = nullptr;
    Fl_Double_Window::hide();
}

}  // namespace toolkit
