// The program's help file, an HTML file shown in FLTK's help viewer. A help context number
// other than 0 opens it at the anchor "topic" followed by the number; 0 opens its contents.
#pragma once

#include <string>

namespace toolkit {

void SetHelpFile(const std::string& path);

// Sends F1 to the program without waiting: the help opens from the message loop, at the help
// context of the window that has the focus then.
void SendHelpKey();

// Does nothing while a message box is up.
void OpenHelp(int context);
// Help context of the window that has the focus (a modal one first), 0 when none has one.
int FocusedHelpContext();

}  // namespace toolkit
