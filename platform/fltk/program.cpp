#include "platform/fltk/program.h"

#include <cstdio>
#include <cstdlib>

#include <FL/Fl.H>
#include <FL/x.H>

namespace toolkit {

void PumpMessages() { Fl::check(); }

void EndProgram() {
    // What was drawn or asked of the X server last still reaches it.
    if (fl_display) XFlush(fl_display);
    std::fflush(nullptr);
    std::_Exit(0);
}

}  // namespace toolkit
