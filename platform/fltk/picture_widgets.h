// Widgets that show pictures: a box (which may hold other widgets) showing a picture unscaled
// from its top-left corner, and a push button whose face is a picture centred on it.
#pragma once

#include <FL/Fl_Button.H>
#include <FL/Fl_Group.H>

#include "platform/fltk/picture.h"

namespace toolkit {

class PictureBox : public Fl_Group {
public:
    PictureBox(int x, int y, int width, int height, Picture picture = {});
    void SetPicture(Picture picture);
    void draw() override;

private:
    Picture picture_;
};

class PictureButton : public Fl_Button {
public:
    PictureButton(int x, int y, int width, int height, Picture face);
    // Enter clicks the window's default button, Esc its cancel button.
    void MakeDefault() { isDefault_ = true; }
    void MakeCancel() { isCancel_ = true; }
    int handle(int event) override;
    void draw() override;

private:
    Picture face_;
    bool isDefault_ = false;
    bool isCancel_ = false;
};

}  // namespace toolkit
