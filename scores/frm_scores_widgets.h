// The controls of the high-score dialog that the toolkit has no ready match for: a text box
// whose maximum length counts characters, a list that only shows its rows, the fonts, and a
// window-manager frame without a close box.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include <FL/Fl_Input.H>
#include <FL/Fl_Widget.H>

class Fl_Window;

namespace scores_dialog {

// Slots of their own, so that the dialog needs nobody else to name its fonts.
inline constexpr Fl_Font ArialBold = FL_FREE_FONT + 8;
inline constexpr Fl_Font ArialBoldItalic = FL_FREE_FONT + 9;
inline constexpr Fl_Fontsize Points6 = 8;
inline constexpr Fl_Fontsize Points8 = 11;  // 8.25 point
inline constexpr Fl_Fontsize Points12 = 16;
void NameFonts();

class TextBox : public Fl_Input {
public:
    TextBox(int x, int y, int width, int height);
    // In characters of UTF-8 text; 0 takes any length. Typing, pasting and dropping stop there.
    void SetMaxLength(std::size_t characters) { maxLength_ = characters; }
    int handle(int event) override;

private:
    std::size_t maxLength_ = 0;
};

// Rows of plain text, one under the other; it takes no focus and no input. Its rows are drawn
// in its label colour also while it is disabled.
class ListBox : public Fl_Widget {
public:
    ListBox(int x, int y, int width, int height);
    void Clear();
    void AddItem(std::string row);
    void draw() override;

private:
    std::vector<std::string> rows_;
};


}  // namespace scores_dialog
