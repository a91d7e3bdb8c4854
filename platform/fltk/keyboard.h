// Keys as the windows' handlers see them: Windows virtual-key codes and shift bits, and the key
// preview that lets a window's own handlers see every key before its focused widget.
#pragma once

#include <cstdint>
#include <functional>

class Fl_Window;

namespace toolkit {

// The virtual-key code of an FLTK key; a letter has one code whatever Shift and Caps Lock say.
// 0 for keys that have none.
std::int16_t VirtualKeyCode(int fltkKey);
// Shift 1, Ctrl 2, Alt 4, from FLTK's event state.
std::int16_t ShiftState(int fltkState);

// Sees every key-down (held keys repeat it) and key-up that reaches the window while no modal
// window is up, before any widget does; returning true keeps the key from the widgets.
using KeyPreview = std::function<bool(bool down, std::int16_t& keyCode, std::int16_t& shift)>;
void SetKeyPreview(Fl_Window& window, KeyPreview preview);

}  // namespace toolkit
