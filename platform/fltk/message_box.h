// The message box: a text and an OK button, modal; returns when closed.
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace toolkit {

// The title a message box gets when it is given none.
void SetApplicationTitle(const std::string& title);

// The text is shown as it is, '@' and all. The box is as wide as its text and its caption.
void MessageBox(const std::string& text, const std::string& title = {});

// True while a message box waits to be closed.
bool MessageBoxShowing();

// Nobody is left to answer a box (the session is ending): the boxes up now close as OK would
// close them, and every later message is written to standard error instead of shown.
void TellOnStandardErrorFromNowOn();

// Breaks text into lines at blanks so that no line is wider than maxWidth, as width measures
// them; a word wider than that stands on a line of its own. Line breaks of the text are kept.
std::string WrapToWidth(std::string_view text, int maxWidth, const std::function<int(std::string_view)>& width);

}  // namespace toolkit
