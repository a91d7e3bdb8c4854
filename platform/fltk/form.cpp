#include "platform/fltk/form.h"

#include <FL/Fl.H>

#include <vector>

#include "platform/fltk/display.h"

namespace toolkit {
namespace {

Form* activeForm = nullptr;
// The forms shown, in the order they were last activated, the latest last.
std::vector<Form*> activations;

void ForgetActivation(const Form* form) { std::erase(activations, form); }

// A window that closes while it has the keyboard hands it to the window activated before it.
// Without a window manager nobody else does: the keyboard would fall to the root window and
// reach the program only while the pointer is over one of its windows.
void ReturnKeyboard() {
    for (auto form = activations.rbegin(); form != activations.rend(); ++form) {
        // A minimised window cannot take it.
        if (GiveKeyboard(**form)) return;
    }
}

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
    ForgetActivation(this);
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
    CentreWithShownFrame();
    Activated();
}

void Form::ShowModal() {
    if (shown() && !modal()) hide();
    set_modal();
    KeepModalWindowOnTop();
    show();
    // The keyboard belongs to the modal window, also where no window manager hands it over.
    TakeKeyboard(*this);
    CentreWithShownFrame();
    Activated();
    Fl_Widget_Tracker alive(this);
    while (alive.exists() && shown()) Fl::wait();
}

void Form::Hide() { hide(); }

void Form::Repaint() {
    if (shown()) WaitUntilOnScreen(*this);
    redraw();
    Fl::flush();
}

void Form::CenterOnScreen() {
    centring_ = Centring::OnScreen;
    Centre();
}

void Form::CenterOver(const Form& other) {
    centring_ = Centring::OverOther;
    centredOver_ = &other;
    Centre();
}

void Form::Centre() {
    OpenDisplay();
    if (border()) AskFrame(hints_);
    const Frame frame = OuterFrame();
    if (centring_ == Centring::OnScreen) {
        // The whole screen, a desktop's panels included.
        int screenX = 0, screenY = 0, screenWidth = 0, screenHeight = 0;
        Fl::screen_xywh(screenX, screenY, screenWidth, screenHeight, 0);
        PutOuter(screenX + (screenWidth - w() - frame.Width()) / 2,
                 screenY + (screenHeight - h() - frame.Height()) / 2);
        return;
    }
    const Form& other = *centredOver_;
    const Frame otherFrame = other.OuterFrame();
    int otherX = 0, otherY = 0;
    ClientOrigin(other, otherX, otherY);
    PutOuter(otherX - otherFrame.left + (other.w() + otherFrame.Width() - w() - frame.Width()) / 2,
             otherY - otherFrame.top + (other.h() + otherFrame.Height() - h() - frame.Height()) / 2);
}

void Form::CentreWithShownFrame() {
    if (centring_ == Centring::Done || !shown()) return;
    // The frame the window got may not be the one expected (a manager that never said): the
    // window moves once, now that it is known.
    Centre();
    centring_ = Centring::Done;
}

void Form::FixSize() {
    size_range(w(), h(), w(), h());
    hints_.resizable = false;
}

Frame Form::OuterFrame() const {
    if (!border()) return {};
    return ShownFrame(*this, ExpectedFrame(hints_));
}

void Form::PlaceOuter(int x, int y) {
    // A place of its own: no centring is left to finish.
    centring_ = Centring::Done;
    PutOuter(x, y);
}

void Form::PutOuter(int x, int y) {
    // X places the client area; the window manager puts its frame around it.
    const Frame frame = OuterFrame();
    if (!shown()) {
        position(x + frame.left, y + frame.top);
        return;
    }
    int clientX = 0, clientY = 0;
    ClientOrigin(*this, clientX, clientY);
    if (clientX != x + frame.left || clientY != y + frame.top) MoveClient(*this, x + frame.left, y + frame.top);
}

void Form::Activated() {
    activeForm = this;
    ForgetActivation(this);
    activations.push_back(this);
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
    if (shown()) {
        Fl_Double_Window::show();
        return;
    }
    // Placed again with the frame known by now: the manager's answer may have come since.
    if (centring_ != Centring::Done) Centre();
    // FLTK creates and maps the window in one call: the manager is held off until the window
    // has all its hints.
    const ManagerHold hold;
    Fl_Double_Window::show();
    WriteWindowHints(*this, hints_);
}

void Form::ApplyFrameButtons() { RequestFrameButtons(*this, hints_.buttons); }

void Form::hide() {
    const bool hadKeyboard = activeForm == this;
    if (hadKeyboard) activeForm = nullptr;
    ForgetActivation(this);
    Fl_Double_Window::hide();
    if (hadKeyboard) ReturnKeyboard();
}

}  // namespace toolkit
