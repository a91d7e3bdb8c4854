#include "platform/fltk/program.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#include <FL/Fl.H>
#include <FL/x.H>

namespace toolkit {

std::string ProgramFilePath() {
    std::error_code error;
    const std::filesystem::path path = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::string() : path.string();
}

void PumpMessages() { Fl::check(); }

void EndProgram() {
    // What was drawn or asked of the X server last still reaches it.
    if (fl_display) XFlush(fl_display);
    std::fflush(nullptr);
    std::_Exit(0);
}

}  // namespace toolkit
