// icon: the game's window icon, the ship from above on a blue disc ringed in yellow.
// scores_ship: the ship in three-quarter view for the corner of the high-score dialog.
#include <cmath>

#include "tools/art/picture_registry.h"
#include "tools/art/ship_model.h"
#include "tools/art/window_backdrop.h"
#include "tools/art/window_models.h"

namespace art {
namespace {

constexpr int IconSize = 32;

std::vector<platform::Surface> PaintIcon() {
    constexpr double Centre = IconSize / 2.0;
    constexpr double Radius = 15.6;
    constexpr double Ring = 1.6;
    constexpr double ShipScale = 0.92;  // model units to icon pixels
    constexpr double ShipMiddle = -1.2;  // model y halfway from nose to exhaust
    const Canvas canvas = Supersample(IconSize, IconSize, 6, [&](double x, double y) {
        const double r = std::hypot(x - Centre, y - Centre);
        if (r > Radius) return Paint{};
        // The disc darkens to its edge and is lit toward the upper left, like everything else.
        const double lift = Clamp01(0.5 - ((x - Centre) + (y - Centre)) / (4 * Radius));
        Paint disc{Mix(Rgb255(4, 6, 30), Rgb255(26, 52, 140), (1 - r / Radius) * 0.6 + lift * 0.5), 1};
        if (r > Radius - Ring) disc.colour = Mix(Rgb255(255, 226, 70), Rgb255(190, 120, 10), 1 - lift);
        Paint ship = ShipPaint((x - Centre) / ShipScale, (y - Centre) / ShipScale + ShipMiddle, 0, 0.8);
        ship.colour = ship.colour * 1.15;  // small pictures go dull; lift it off the disc
        return Layer(ship, disc);
    });
    return {canvas.ToSurface(0.3)};
}

constexpr int ScoresWidth = 97, ScoresHeight = 95;

std::vector<platform::Surface> PaintScoresShip() {
    Canvas canvas(ScoresWidth, ScoresHeight);
    PaintBlack(canvas);
    PaintStars(canvas, 5150, 28);
    const Camera camera = OrbitCamera({0, -1.5, 0}, 0.62, 0.78, -0.42, 60, 152, 49, 46);
    PlaceOver(
        canvas,
        RenderSolid(ScoresWidth, ScoresHeight, camera, PlayerShipSolid(), StudioLighting(), PlayerShipExhaust(10, 1.2)),
        0, 0);
    return {canvas.ToSurface(0)};
}

[[maybe_unused]] const bool icon = RegisterPictures("icon", IconSize, IconSize, 1, PaintIcon);
[[maybe_unused]] const bool scoresShip = RegisterPictures("scores_ship", ScoresWidth, ScoresHeight, 1, PaintScoresShip);

}  // namespace
}  // namespace art
