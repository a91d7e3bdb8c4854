#include "tools/art/preview.h"

#include "tools/art/pixel_font.h"

namespace art {
namespace {

class Scene {
public:
    explicit Scene(const PaintedLists& lists) : lists_(lists), frame_(484, 300) {}

    bool Has(const char* name) const { return lists_.count(name) != 0; }
    // Image n (from 1) of a list, black left out, as the game draws its sprites.
    void Draw(const char* name, int n, int x, int y) {
        const platform::Surface& image = lists_.at(name).at(static_cast<std::size_t>(n - 1));
        for (int row = 0; row < image.Height(); ++row) {
            for (int col = 0; col < image.Width(); ++col) {
                if (image.At(col, row) != platform::Black) frame_.Plot(x + col, y + row, image.At(col, row));
            }
        }
    }
    void Line(int x0, int x1, int y, platform::Pixel colour) {
        for (int x = x0; x <= x1; ++x) frame_.Plot(x, y, colour);
    }
    void Gauge(int x, int y, int value) {
        Line(x, x + 100, y, platform::Rgb(220, 220, 220));
        Line(x, x + value, y + 1, platform::Rgb(255, 0, 0));
        Line(x, x + value, y + 2, platform::Rgb(200, 0, 0));
        Line(x, x + value, y + 3, platform::Rgb(128, 0, 0));
        Line(x, x + 100, y + 4, platform::Rgb(40, 40, 40));
        Line(x, x + value, y + 4, platform::Rgb(78, 0, 0));
    }
    platform::Surface& Frame() { return frame_; }

private:
    const PaintedLists& lists_;
    platform::Surface frame_;
};

}  // namespace

platform::Surface PlayPreview(const PaintedLists& lists) {
    Scene scene(lists);
    for (const char* name : {"misc", "enemy1f", "enemy1", "Explosion1", "asteroid2", "weapon1", "ship1"}) {
        if (!scene.Has(name)) return platform::Surface(0, 0);
    }
    // In the game's drawing order: asteroids, explosions, enemies, enemy shots, shots, ship, status bar.
    const int rocks[][3] = {{40, 60, 1}, {130, 150, 8}, {300, 40, 15}, {420, 200, 22}, {250, 120, 29}, {90, 230, 5}};
    for (const auto& r : rocks) scene.Draw("asteroid2", r[2], r[0], r[1]);
    for (int i = 0; i < 4; ++i) scene.Draw("Explosion1", i + 1, 180 + 24 * i, 70);
    for (int i = 0; i < 10; ++i) scene.Draw("enemy1f", i + 1, 20 + 22 * i, 110);
    for (int i = 0; i < 5; ++i) scene.Draw("enemy1", i + 2, 260 + 22 * i, 110);
    scene.Draw("weapon1", 7, 66, 140);
    scene.Draw("weapon1", 7, 366, 150);
    for (int i = 0; i < 4; ++i) scene.Draw("weapon1", i + 1, 208 + (i % 2) * 7, 180 - 15 * i);
    scene.Draw("ship1", 10, 200, 250);
    scene.Draw("ship1", 3, 40, 250);
    scene.Draw("ship1", 18, 120, 250);
    scene.Draw("ship1", 24, 330, 250);
    scene.Draw("ship1", 26, 400, 250);

    scene.Gauge(2, 2, 64);
    scene.Gauge(104, 2, 100);
    scene.Draw("misc", 1, 70, 2);
    scene.Draw("misc", 3, 178, 4);
    scene.Draw("misc", 4, 210, 2);
    // The score's own font is the program's; this stand-in only shows where it goes.
    SetPixelText("12,340", 240, 6, [&](int x, int y) { scene.Frame().Plot(x, y, platform::Rgb(200, 200, 200)); });
    for (int x = 305; x >= 275; x -= 10) scene.Draw("misc", 2, x, 1);
    return scene.Frame();
}

}  // namespace art
