#include <FL/Fl.H>
#include <FL/Fl_Window.H>

#include "frontend/module1.h"

int main() {
    // Every window carries the game's own class, so desktops name and group it as the game.
    Fl_Window::default_xclass("voidraid");
    Main();
    // Everything from here on runs in the windows' handlers; the program ends in ExitProgram.
    return Fl::run();
}
