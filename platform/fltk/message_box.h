// The message box: a text and an OK button, modal; returns when closed.
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace toolkit {

// The title a message box gets when it is given none.
void SetApplicationTitle(const std::string& title);

void MessageBox(const std::string& text, const std::string& title = {});

// Breaks text into lines at blanks so that no line is wider than maxWidth, as width measures
// them; a word wider than that stands on a line of its own. Line breaks of the text are kept.
std::string WrapToWidth(std::string_view text, int maxWidth, const std::function<int(std::string_view)>& width);

}  // namespace toolkit
