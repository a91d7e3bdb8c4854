// The running program: the message pump and the immediate end.
#pragma once

namespace toolkit {

// Runs the window messages that are pending, then returns.
void PumpMessages();

// Ends the program at once: no window's close handler and nothing after this call runs.
[[noreturn]] void EndProgram();

}  // namespace toolkit
