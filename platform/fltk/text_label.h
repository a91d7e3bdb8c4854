// A label as the desktop the game was made for draws one: its text set right against the edge
// it is aligned to, with none of the margin FLTK keeps inside a box. A label designed to just
// hold its text shows all of it.
#pragma once

#include <FL/Fl_Box.H>

namespace toolkit {

class TextLabel : public Fl_Box {
public:
    TextLabel(int x, int y, int width, int height, const char* text);
    void draw() override;
};

}  // namespace toolkit
