// title: the main window's menu picture; splash: the About box that doubles as the splash.
// Both: the game's name in black on a yellow band, the ship below it in deep space.
#include <string_view>

#include "tools/art/picture_registry.h"
#include "tools/art/window_backdrop.h"
#include "tools/art/window_lettering.h"
#include "tools/art/window_models.h"

namespace art {
namespace {

constexpr std::string_view GameName = "VR-717 'Void Raider' II";

// The yellow band: warm at its foot, with a lit top edge and a dark rule under it.
void PaintBand(Canvas& canvas, int height) {
    for (int y = 0; y < height; ++y) {
        const double t = static_cast<double>(y) / (height - 1);
        Colour c = Mix(Rgb255(255, 238, 72), Rgb255(246, 184, 18), t * t);
        if (y == 0) c = Rgb255(255, 250, 190);
        if (y >= height - 3) c = Mix(Rgb255(170, 96, 8), Rgb255(60, 30, 4), (y - (height - 3)) / 2.0);
        for (int x = 0; x < canvas.Width(); ++x) canvas.At(x, y) = {c, 1};
    }
}

// The name across the band, centred on centreX, with an orange shadow under the black.
void PaintName(Canvas& canvas, std::string_view name, double centreX, double baseline, double capHeight) {
    DisplayText text(name, 0, baseline, capHeight, 0.2);
    text.Shift(centreX - text.Right() / 2);
    const double drop = capHeight / 16;
    text.Paint(canvas, Rgb255(176, 92, 6), drop, drop);
    text.Paint(canvas, Rgb255(0, 0, 0));
}

// The ship diving toward the lower left with its engines burning, seen from ahead and above.
Canvas ShipRender(int width, int height, double focal, double centreX, double centreY, double exhaust) {
    const Camera camera = OrbitCamera({0, -1.5, 0}, -0.55, 0.88, 0.32, 60, focal, centreX, centreY);
    return RenderSolid(width, height, camera, PlayerShipSolid(), StudioLighting(), PlayerShipExhaust(exhaust));
}

// A rock seen from a little above, turned by spin.
Canvas RockRender(int width, int height, double radius, std::uint32_t seed, double centreX, double centreY,
                  double spin) {
    const Camera camera = OrbitCamera({0, 0, 0}, spin, 0.5, 0, radius * 6, radius * 6, centreX, centreY);
    return RenderSolid(width, height, camera, AsteroidSolid(radius, seed), StudioLighting());
}

constexpr int TitleWidth = 470, TitleHeight = 285;
constexpr int TitleBand = 54;
// The menu buttons' column, kept to black and a few stars.
constexpr Area ButtonColumn{350, 66, 454, 235};

std::vector<platform::Surface> PaintTitle() {
    Canvas canvas(TitleWidth, TitleHeight);
    PaintBlack(canvas, TitleBand);
    PaintNebula(canvas, 110, 220, 190, Rgb255(90, 36, 140) * 0.9, 31);
    PaintNebula(canvas, 300, 100, 120, Rgb255(24, 60, 140) * 0.7, 32);
    PaintStars(canvas, 4711, 260, TitleBand + 2, {ButtonColumn});
    PlaceOver(canvas, RockRender(80, 70, 24, 7, 40, 35, -0.4), 262, 196);
    PlaceOver(canvas, RockRender(30, 30, 7, 8, 15, 15, 0.8), 306, 114);
    PlaceOver(canvas, RockRender(30, 30, 4.5, 12, 15, 15, 2.8), 210, 78);
    PlaceOver(canvas, RockRender(120, 100, 38, 9, 40, 72, 1.9), -12, 196);
    PlaceOver(canvas, ShipRender(345, TitleHeight - TitleBand - 2, 430, 170, 112, 13), 0, TitleBand + 2);
    PaintBand(canvas, TitleBand);
    PaintName(canvas, GameName, 234, 41, 27);
    return {canvas.ToSurface(0)};
}

constexpr int SplashWidth = 320, SplashHeight = 200;
constexpr int SplashBand = 42;
// What the program writes over the splash: "v2.0", then "Loading. . ." or the OK button.
constexpr Area VersionLabel{8, 57, 38, 79};
constexpr Area LoadingLabel{252, 140, 314, 169};

std::vector<platform::Surface> PaintSplash() {
    Canvas canvas(SplashWidth, SplashHeight);
    PaintBlack(canvas, SplashBand);
    PaintNebula(canvas, 120, 130, 120, Rgb255(90, 36, 140) * 0.8, 41);
    PaintStars(canvas, 1996, 150, SplashBand + 2, {VersionLabel, LoadingLabel});
    PlaceOver(canvas, RockRender(50, 44, 13, 7, 25, 22, -0.4), 222, 94);
    PlaceOver(canvas, RockRender(24, 24, 4, 12, 12, 12, 2.8), 60, 150);
    PlaceOver(canvas, ShipRender(250, 136, 250, 132, 66, 12), 10, SplashBand + 2);
    PaintBand(canvas, SplashBand);
    PaintName(canvas, GameName, SplashWidth / 2.0, 31, 17.5);
    PaintTextCentred(canvas, "a Void Raider Team production", SplashWidth / 2.0, 185, {Rgb255(255, 214, 60)});
    return {canvas.ToSurface(0)};
}

[[maybe_unused]] const bool title = RegisterPictures("title", TitleWidth, TitleHeight, 1, PaintTitle);
[[maybe_unused]] const bool splash = RegisterPictures("splash", SplashWidth, SplashHeight, 1, PaintSplash);

}  // namespace
}  // namespace art
