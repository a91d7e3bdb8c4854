#include "platform/fltk/keyboard.h"

#include <FL/Enumerations.H>
#include <FL/Fl.H>
#include <FL/Fl_Window.H>

#include "platform/fltk/dispatch.h"
#include "platform/fltk/end_signals.h"
#include "platform/fltk/help.h"

namespace toolkit {
namespace {

Fl_Window* previewWindow = nullptr;
KeyPreview preview;

struct KeyCode {
    int fltk;
    std::int16_t code;
};

constexpr KeyCode NamedKeys[] = {
    {FL_BackSpace, 8},   {FL_Tab, 9},         {FL_Enter, 13},     {FL_KP_Enter, 13},  {FL_Shift_L, 16},
    {FL_Shift_R, 16},    {FL_Control_L, 17},  {FL_Control_R, 17}, {FL_Alt_L, 18},     {FL_Alt_R, 18},
    {FL_Pause, 19},      {FL_Caps_Lock, 20},  {FL_Escape, 27},    {' ', 32},          {FL_Page_Up, 33},
    {FL_Page_Down, 34},  {FL_End, 35},        {FL_Home, 36},      {FL_Left, 37},      {FL_Up, 38},
    {FL_Right, 39},      {FL_Down, 40},       {FL_Print, 44},     {FL_Insert, 45},    {FL_Delete, 46},
    {FL_Meta_L, 91},     {FL_Meta_R, 92},     {FL_Menu, 93},      {FL_KP + '*', 106}, {FL_KP + '+', 107},
    {FL_KP + '-', 109},  {FL_KP + '.', 110},  {FL_KP + '/', 111}, {FL_Num_Lock, 144}, {FL_Scroll_Lock, 145},
    {';', 186},          {'=', 187},          {',', 188},         {'-', 189},         {'.', 190},
    {'/', 191},          {'`', 192},          {'[', 219},         {'\\', 220},        {']', 221},
    {'\'', 222},
};

bool PlayerInput(int event) {
    switch (event) {
        case FL_PUSH:
        case FL_RELEASE:
        case FL_DRAG:
        case FL_MOVE:
        case FL_MOUSEWHEEL:
        case FL_KEYDOWN:
        case FL_KEYUP:
        case FL_SHORTCUT:
        case FL_CLOSE:
        case FL_PASTE:
        case FL_DND_ENTER:
        case FL_DND_DRAG:
        case FL_DND_LEAVE:
        case FL_DND_RELEASE:
            return true;
        default:
            return false;
    }
}

int Dispatch(int event, Fl_Window* window) {
    // The program is ending: input still queued (an F1, a click) must open nothing that waits.
    if (EndRequested() && PlayerInput(event)) return 1;
    if (event == FL_KEYDOWN || event == FL_KEYUP) {
        const bool blocked = Fl::modal() && Fl::modal() != previewWindow;
        if (preview && window == previewWindow && !blocked) {
            std::int16_t code = VirtualKeyCode(Fl::event_key());
            std::int16_t shift = ShiftState(Fl::event_state());
            // The preview may keep a key from the window's controls, but F1 still opens help.
            if (preview(event == FL_KEYDOWN, code, shift) && Fl::event_key() != FL_F + 1) return 1;
        }
        // F1 anywhere opens the help file at the active window's help context.
        if (event == FL_KEYDOWN && Fl::event_key() == FL_F + 1) {
            OpenHelp(FocusedHelpContext());
            return 1;
        }
    }
    return Fl::handle_(event, window);
}

}  // namespace

std::int16_t VirtualKeyCode(int key) {
    if (key >= 'a' && key <= 'z') return static_cast<std::int16_t>(key - 'a' + 'A');
    if (key >= '0' && key <= '9') return static_cast<std::int16_t>(key);
    if (key >= FL_KP + '0' && key <= FL_KP + '9') return static_cast<std::int16_t>(96 + key - (FL_KP + '0'));
    if (key > FL_F && key <= FL_F + 24) return static_cast<std::int16_t>(111 + key - FL_F);
    for (const KeyCode& named : NamedKeys) {
        if (named.fltk == key) return named.code;
    }
    return 0;
}

std::int16_t ShiftState(int state) {
    std::int16_t shift = 0;
    if (state & FL_SHIFT) shift |= 1;
    if (state & FL_CTRL) shift |= 2;
    if (state & FL_ALT) shift |= 4;
    return shift;
}

void InstallEventDispatch() { Fl::event_dispatch(Dispatch); }

void SetKeyPreview(Fl_Window& window, KeyPreview handler) {
    previewWindow = &window;
    preview = std::move(handler);
    InstallEventDispatch();
}

}  // namespace toolkit
