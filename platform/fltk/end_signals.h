// Requests from outside to end the program: SIGTERM (the session ends), SIGHUP (its terminal
// was closed) and SIGINT (Ctrl+C).
#pragma once

namespace toolkit {

// From now on these signals no longer kill the program: each calls onEnd from the message
// loop, whichever loop runs then (a modal window's or a message box's as well). The signal
// handler itself only writes a byte into a pipe that the loop watches. A signal the program
// was started with ignored (nohup) stays ignored.
// Before onEnd runs, the message boxes stop waiting for a person (see
// TellOnStandardErrorFromNowOn); from the signal on, no key, click or close request is
// dispatched any more, even one queued before the end began.
void WatchEndSignals(void (*onEnd)());

// True once one of these signals has arrived.
bool EndRequested();

}  // namespace toolkit
