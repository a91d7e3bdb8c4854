#include "platform/fltk/form.h"

#include <FL/Fl.H>

#include "platform/fltk/display.h"

namespace toolkit {
namespace {

Form* activeForm = nullptr;

// Gives the focus to the first control of the group in tab order (the last one going
// backward), looking into the groups it holds; false when none takes it.
bool FocusEnd(Fl_Group& group, bool backward) {
    const int count = group.children();
    for (int k = 0; k < count; ++k) {
        Fl_Widget& child = *group.child(backward ? count - 1 - k : k);
        if (!child.visible()) continue;
        Fl_Group* inner = child.as_group();
        if (inner ? FocusEnd(*inner, backward) : child.take_focus() != 0) return true;
    }
    return false;
}

}  // namespace

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
    // Shown again, it comes up from behind the other windows ready for the keyboard.
    TakeKeyboard(*this);
    Activated();
}

void Form::ShowModal() {
    if (shown() && !modal()) hide();
    set_modal();
    KeepModalWindowOnTop();
    show();
    // The keyboard belongs to the modal window, also where no window manager hands it over.
    TakeKeyboard(*this);
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
    const Frame frame = OuterFrame();
    PlaceOuter((Fl::w() - w() - frame.Width()) / 2, (Fl::h() - h() - frame.Height()) / 2);
}

void Form::CenterOver(const Form& other) {
    const Frame frame = OuterFrame();
    const Frame otherFrame = other.OuterFrame();
    PlaceOuter(other.x() - otherFrame.left + (other.w() + otherFrame.Width() - w() - frame.Width()) / 2,
               other.y() - otherFrame.top + (other.h() + otherFrame.Height() - h() - frame.Height()) / 2);
}

void Form::FixSize() {
    size_range(w(), h(), w(), h());
    fixedSize_ = true;
}

Frame Form::OuterFrame() const {
    if (!border()) return {};
    const Frame expected = ExpectedFrame(frameButtons_, !fixedSize_);
    return ShownFrame(*this, expected);
}

void Form::PlaceOuter(int x, int y) {
    // X places the client area; the window manager puts its frame around it.
    const Frame frame = OuterFrame();
    position(x + frame.left, y + frame.top);
}

void Form::Activated() {
    activeForm = this;
    Form_Activate();
}

int Form::handle(int event) {
    int result = Fl_Double_Window::handle(event);
    // Tab goes round: from the last control of the window to its first, and Shift+Tab back.
    // FLTK moves on only inside the group that holds the focus.
    const bool tab = event == FL_KEYBOARD && Fl::event_key() == FL_Tab && !Fl::event_state(FL_CTRL | FL_ALT | FL_META);
    if (!result && tab) result = FocusEnd(*this, Fl::event_state(FL_SHIFT) != 0);
    // The window itself is given the focus only when it becomes the active window.
    if (event == FL_FOCUS && activeForm != this && shown()) Activated();
    return result;
}

void Form::show() {
    Fl_Double_Window::show();
    ApplyFrameButtons();
}

void Form::ApplyFrameButtons() { RequestFrameButtons(*this, frameButtons_); }

void Form::hide() {
    if (activeForm == this) activeForm = nullptr;
    Fl_Double_Window::hide();
}

}  // namespace toolkit
