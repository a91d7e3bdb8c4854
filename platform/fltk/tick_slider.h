// A horizontal slider with tick marks under its track, moved by 1 with the arrow keys, by a
// page with Page Up and Page Down, and to its ends with Home and End.
#pragma once

#include <FL/Fl_Slider.H>

namespace toolkit {

class TickSlider : public Fl_Slider {
public:
    TickSlider(int x, int y, int width, int height);

    void SetRange(int minimum, int maximum);
    void SetTickFrequency(int every) { tickEvery_ = every; }
    void SetPageStep(int step) { pageStep_ = step; }
    int Value() const { return static_cast<int>(value()); }
    // Taken into the range; raises no callback.
    void SetValue(int v);

    int handle(int event) override;
    void draw() override;

private:
    int TrackHeight() const;
    void MoveTo(double v);

    int tickEvery_ = 10;
    int pageStep_ = 5;
};

}  // namespace toolkit
