// The running program: its own file, the message pump and the immediate end.
#pragma once

#include <string>

namespace toolkit {

// Full path of the running executable; empty when the system cannot tell.
std::string ProgramFilePath();

// Runs the window messages that are pending, then returns.
void PumpMessages();

// Ends the program at once: no window's close handler and nothing after this call runs.
[[noreturn]] void EndProgram();

}  // namespace toolkit
