// The fonts of the windows' labels and boxes, in pixel sizes.
#pragma once

#include <FL/Enumerations.H>

inline constexpr Fl_Font Arial = FL_FREE_FONT;
inline constexpr Fl_Font ArialBold = FL_FREE_FONT + 1;
// Small Fonts, the design's narrow face for tiny labels: a narrow sans-serif keeps their text as
// short.
inline constexpr Fl_Font SmallFonts = FL_FREE_FONT + 2;

inline constexpr Fl_Fontsize Points8 = 11;  // 8.25 point
inline constexpr Fl_Fontsize Points6_75 = 9;
inline constexpr Fl_Fontsize Points6 = 8;

// Names the fonts above; before any window is drawn.
void LoadFonts();
