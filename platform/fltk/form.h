// A window of the program as its handlers see it: shown modelessly or modally, hidden,
// repainted, with the window system's close request (whose cancel flag keeps the window),
// activation, and the help context number that F1 opens.
#pragma once

#include <cstdint>

#include <FL/Fl_Double_Window.H>

#include "platform/fltk/window_manager.h"

namespace toolkit {

class Form : public Fl_Double_Window {
public:
    // Built hidden, as a window is loaded by its first use.
    Form(int width, int height, const char* caption);
    ~Form() override;

    // The caller goes on at once; the window comes to the front with the keyboard.
    void ShowModeless();
    // Returns once the window is hidden or unloaded; the other windows take no input meanwhile.
    void ShowModal();
    void Hide();
    // Draws the window now; a window just shown is waited for until it is on screen.
    void Repaint();

    // Centring places the outer window, the window manager's frame included. Before the first
    // show the frame is the expected one; once it is on screen the window is centred again with
    // the frame it got.
    void CenterOnScreen();
    void CenterOver(const Form& other);
    // The user cannot resize it (and gets no maximize box).
    void FixSize();

    // What the window manager's frame adds around the client area: its own once shown, before
    // that the frame of the program's windows already on screen; none for a borderless window
    // or without a window manager.
    Frame OuterFrame() const;
    // Moves the window so that its frame's top-left corner is at x, y.
    void PlaceOuter(int x, int y);

    // Written for the window manager before each show; FLTK rewrites the frame's hints when a
    // shown window is resized, so ask again after that.
    void SetFrameButtons(FrameButtons buttons) { hints_.buttons = buttons; }
    void SetWindowType(WindowType type) { hints_.type = type; }
    void ApplyFrameButtons();

    int HelpContext() const { return helpContext_; }
    void SetHelpContext(int context) { helpContext_ = context; }

    int handle(int event) override;
    void show() override;
    void hide() override;

protected:
    // Each time the window becomes the program's active window: shown, or come back to.
    virtual void Form_Activate() {}
    // The window system asks to close the window; Cancel true (-1) keeps it.
    virtual void Form_Unload(std::int16_t& Cancel) { (void)Cancel; }
    // What a close that was not cancelled does; forms that are destroyed on close override it.
    virtual void Unload() { hide(); }

private:
    static void CloseRequested(Fl_Widget* window, void*);
    void Activated();

    enum class Centring { Done, OnScreen, OverOther };
    void Centre();
    void CentreWithShownFrame();
    void PutOuter(int x, int y);

    int helpContext_ = 0;
    WindowHints hints_;
    Centring centring_ = Centring::Done;
    const Form* centredOver_ = nullptr;
};

// The form that was activated last and is still shown, or none.
Form* ActiveForm();

}  // namespace toolkit
