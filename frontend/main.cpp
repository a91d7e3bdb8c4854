#include <FL/Fl.H>

#include "frontend/module1.h"

int main() {
    Main();
    // Everything from here on runs in the windows' handlers; the program ends in ExitProgram.
    return Fl::run();
}
