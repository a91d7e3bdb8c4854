// The X display: opened once, and its colour format as the colour-depth check reads it.
#pragma once

namespace toolkit {

// Opens the display when it is not open yet; ends the program when there is none.
void OpenDisplay();

struct ColourFormat {
    int bitsPerPixel = 0;
    int planes = 0;
};
// Bits per pixel and colour planes of the screen the program's windows appear on.
ColourFormat DisplayColourFormat();

}  // namespace toolkit
