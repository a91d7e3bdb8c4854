#include <csignal>

#include <FL/Fl.H>
#include <FL/Fl_Window.H>

#include "frontend/module1.h"

int main() {
    // Under a file-size limit a write then fails (EFBIG) and is told, instead of killing the
    // program half-way through saving.
    std::signal(SIGXFSZ, SIG_IGN);
    // Every window carries the game's own class, so desktops name and group it as the game.
    Fl_Window::default_xclass("voidraid");
    Main();
    // Everything from here on runs in the windows' handlers; the program ends in ExitProgram.
    return Fl::run();
}
