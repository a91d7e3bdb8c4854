// advert1: the banner of the main window's bottom strip. It shows our sponsors' pictures,
// changing to the next one every few seconds or on a click; it needs no network.
#pragma once

#include <vector>

#include <FL/Fl_Widget.H>

#include "platform/fltk/picture.h"

class Advert : public Fl_Widget {
public:
    Advert(int x, int y, int width, int height);
    ~Advert() override;

    // The one call at start-up: the first sponsor shows and the banner starts to change.
    void Start();

    void draw() override;
    int handle(int event) override;

private:
    static void Rotate(void* advert);
    void ShowNext();

    std::vector<toolkit::Picture> sponsors_;
    int current_ = 0;
    bool started_ = false;
};
