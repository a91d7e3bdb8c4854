// misc: the status bar's pictures. 1 "Weapons", 2 the spare-ship icon, 3 "Shields", 4 "Score".
// The labels sit just under the right-hand ends of the gauges (rows 2 to 6 of the screen);
// "Score" ends short of the score itself, which is printed from x 240.
#include <string_view>

#include "tools/art/pixel_font.h"
#include "tools/art/picture_registry.h"
#include "tools/art/ship_model.h"

namespace art {
namespace {

constexpr int Width = 32;
constexpr int Height = 16;

// Lettering lit from above: light on its top row, darker to its foot, with a shadow that
// keeps it readable over whatever flies beneath.
platform::Surface Label(std::string_view text, int left, int top, Colour upper, Colour lower) {
    Canvas canvas(Width, Height);
    SetPixelText(text, left + 1, top + 1, [&](int x, int y) { canvas.Over(x, y, Rgb255(14, 14, 20), 1); });
    SetPixelText(text, left, top, [&](int x, int y) {
        canvas.Over(x, y, Mix(upper, lower, static_cast<double>(y - top) / (PixelFontHeight - 1)), 1);
    });
    return canvas.ToSurface();
}

// Screen rows 8 to 12 for both gauge labels: just clear of the gauges.
platform::Surface WeaponsLabel() { return Label("WEAPONS", 0, 6, Rgb255(200, 201, 207), Rgb255(118, 119, 126)); }
platform::Surface ShieldsLabel() { return Label("SHIELDS", 0, 4, Rgb255(200, 201, 207), Rgb255(118, 119, 126)); }
// Light grey like the score, its foot on the score's baseline (screen row 10).
platform::Surface ScoreLabel() { return Label("SCORE", 8, 4, Rgb255(240, 240, 244), Rgb255(178, 178, 186)); }

// The ship in level flight, shrunk to about 11 x 14 pixels at the left of the cell.
platform::Surface SpareShip() {
    constexpr double ScaleX = 0.42, ScaleY = 0.5;
    constexpr double CentreX = 5.5;  // 11 pixels wide from column 0
    constexpr double NoseY = -14.8;  // the model's tip, put on row 1
    return Supersample(Width, Height, 6, [](double x, double y) {
               // A touch brighter than the ship itself: at this size shading turns to mud.
               Paint p = ShipPaint((x - CentreX) / ScaleX, (y - 1) / ScaleY + NoseY, 0, 0.6);
               p.colour = p.colour * 1.2;
               return p;
           })
        .ToSurface(0.3);
}

std::vector<platform::Surface> PaintMisc() { return {WeaponsLabel(), SpareShip(), ShieldsLabel(), ScoreLabel()}; }

[[maybe_unused]] const bool registered = RegisterPictures("misc", Width, Height, 4, PaintMisc);

}  // namespace
}  // namespace art
