#include "platform/fltk/end_signals.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <initializer_list>

#include <FL/Fl.H>

#include "platform/fltk/dispatch.h"
#include "platform/fltk/message_box.h"

namespace toolkit {
namespace {

int endPipe[2] = {-1, -1};
void (*endHandler)() = nullptr;
volatile std::sig_atomic_t endRequested = 0;

void OnEndSignal(int) {
    // Only async-signal-safe work: a flag, and one byte into the pipe. A full pipe has said it
    // already.
    endRequested = 1;
    const int saved = errno;
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(endPipe[1], &byte, 1);
    errno = saved;
}

void OnEndPipe(int fd, void*) {
    char bytes[64];
    while (::read(fd, bytes, sizeof bytes) > 0) {
    }
    // Nobody may be left to answer a box: one up now must not hold the exit, nor one it opens.
    TellOnStandardErrorFromNowOn();
    if (endHandler) endHandler();
}

}  // namespace

bool EndRequested() { return endRequested != 0; }

void WatchEndSignals(void (*onEnd)()) {
    endHandler = onEnd;
    // The event hook holds back the player's input once an end has been asked for.
    InstallEventDispatch();
    if (endPipe[0] < 0) {
        if (::pipe2(endPipe, O_NONBLOCK | O_CLOEXEC) != 0) return;
        Fl::add_fd(endPipe[0], FL_READ, OnEndPipe);
    }
    struct sigaction action {};
    action.sa_handler = OnEndSignal;
    sigemptyset(&action.sa_mask);
    // A system call the signal interrupts (the settings file being written, say) carries on.
    action.sa_flags = SA_RESTART;
    for (const int signal : {SIGTERM, SIGHUP, SIGINT}) {
        struct sigaction before {};
        if (::sigaction(signal, nullptr, &before) == 0 && before.sa_handler == SIG_IGN) continue;
        ::sigaction(signal, &action, nullptr);
    }
}

}  // namespace toolkit
