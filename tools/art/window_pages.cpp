// pages: the picture viewer's five pages, 320 x 200 on black, each under a white bold
// italic heading and a purple rule: 1 the story, 2 the keys, 3 the player's ship, 4 the
// enemy fighter, 5 the credits. The viewer's three buttons stand over the lower right
// corner (from x 284, y 125 of the page), so no text runs in there.
#include <cmath>
#include <string>
#include <string_view>
#include <vector>

#include "tools/art/picture_registry.h"
#include "tools/art/window_backdrop.h"
#include "tools/art/window_lettering.h"
#include "tools/art/window_models.h"
#include "tools/art/window_shapes.h"

namespace art {
namespace {

constexpr int Width = 320;
constexpr int Height = 200;
constexpr int Margin = 9;
constexpr int BodyTop = 35;
constexpr int LineStep = 11;
constexpr int ParagraphGap = 5;
// The corner under the buttons, with a little room round it.
constexpr int CornerLeft = 278;
constexpr int CornerTop = 121;

const Colour White{1, 1, 1};
const Colour Lilac = Rgb255(196, 160, 255);
const Colour Pale = Rgb255(210, 210, 222);

void PaintHeading(Canvas& canvas, std::string_view heading) {
    const TextStyle style{White, 2, 0.22};
    const TextStyle shadow{Rgb255(90, 40, 150), 2, 0.22};
    const double left = (Width - TextWidth(heading) * 2) / 2.0;
    PaintText(canvas, heading, left + 1.5, 4.5, shadow);
    PaintText(canvas, heading, left, 3, style);
    // The rule: bright violet in the middle, dying away to either end, lit along its top.
    for (int x = Margin - 4; x < Width - Margin + 4; ++x) {
        const double t = std::fabs((x + 0.5) - Width / 2.0) / (Width / 2.0 - Margin + 4);
        const double fade = 1 - t * t;
        const Colour rows[] = {Rgb255(236, 200, 255), Rgb255(170, 90, 240), Rgb255(86, 30, 140)};
        for (int row = 0; row < 3; ++row) canvas.Over(x, 27 + row, rows[row] * fade, 1);
    }
}

// Paragraphs split by blank lines, set from top; lines that reach the button corner are
// kept narrower. Returns the y below the last line.
int PaintParagraphs(Canvas& canvas, std::string_view text, int left, int top, int right, Colour colour) {
    int y = top;
    std::size_t at = 0;
    while (at < text.size()) {
        std::size_t end = text.find("\n\n", at);
        if (end == std::string_view::npos) end = text.size();
        const std::string_view paragraph = text.substr(at, end - at);
        std::vector<int> widths;
        for (int line = 0; line < 30; ++line) {
            const bool inCorner = y + line * LineStep + LineStep > CornerTop;
            widths.push_back((inCorner ? std::min(right, CornerLeft) : right) - left);
        }
        for (const std::string& line : WrapText(paragraph, widths)) {
            PaintText(canvas, line, left, y, {colour});
            y += LineStep;
        }
        y += ParagraphGap;
        at = end + 2;
    }
    return y - ParagraphGap;
}

Canvas BlankPage(std::string_view heading) {
    Canvas canvas(Width, Height);
    PaintBlack(canvas);
    PaintHeading(canvas, heading);
    return canvas;
}

// ---- 1: the story ----

constexpr std::string_view Story =
    "The year is 2417. Past the last beacon of the Kepler Reach drifts the Void: a thousand "
    "miles of tumbling rock, where raider gangs lurk between the asteroids and pick off every "
    "ore hauler that dares the crossing.\n\n"
    "The Miners' Guild could afford one answer: the VR-717 'Void Raider', a twin-pod fighter "
    "built to out-raid the raiders. Two guns, one seat, and a coffee machine that has never "
    "worked.\n\n"
    "You are the pilot. Dodge the rocks, blast the raiders before their red eyes find you, and "
    "juggle your power between guns and shields. Bring the haulers home, and the Guild might "
    "even fix the coffee machine.";

Canvas StoryPage() {
    Canvas canvas = BlankPage("The Story");
    PaintParagraphs(canvas, Story, Margin + 1, BodyTop + 1, Width - Margin, White);
    return canvas;
}

// ---- 2: the keys ----

// A key cap: rounded, lit from above, with a darker rim; its legend is drawn by the caller.
void PaintKey(Canvas& canvas, int left, int top, int width, int height) {
    const double cx = left + width / 2.0, cy = top + height / 2.0;
    auto distance = [=](double x, double y) { return RoundRectDistance(x, y, cx, cy, width / 2.0, height / 2.0, 3); };
    FillShape(
        canvas, {left, top, left + width, top + height}, [&](double x, double y) { return distance(x, y) < 0; },
        [&](double x, double y) {
            const Colour face = Mix(Rgb255(236, 236, 242), Rgb255(150, 150, 166), (y - top) / height);
            return distance(x, y) > -1.3 ? Mix(face, Rgb255(70, 70, 86), 0.8) : face;
        });
}

// A solid arrow in a key: direction 0 left, 1 up, 2 right, 3 down.
void PaintArrow(Canvas& canvas, double cx, double cy, int direction) {
    auto inside = [=](double x, double y) {
        double u = x - cx, v = y - cy;
        // Turned so that every arrow can be tested as pointing up.
        for (int turn = 0; turn < (5 - direction) % 4; ++turn) {
            const double w = u;
            u = -v;
            v = w;
        }
        const bool head = v > -4 && v < 0.5 && std::fabs(u) < (v + 4) * 0.95;
        const bool shaft = v >= 0.5 && v < 4 && std::fabs(u) < 1.3;
        return head || shaft;
    };
    FillShape(canvas, Around(cx, cy, 6, 6), inside, [](double, double) { return Rgb255(20, 20, 30); });
}

struct KeyCap {
    const char* legend;  // text, or "<", "^", ">", "v" for the arrows
    int width;
};

struct KeyRow {
    std::vector<KeyCap> keys;
    const char* action;
};

Canvas ControlsPage() {
    Canvas canvas = BlankPage("Flight Controls");
    const KeyRow rows[] = {
        {{{"<", 19}, {">", 19}}, "Steer left and right"},
        {{{"^", 19}}, "Turbo thrust"},
        {{{"v", 19}, {"or", 0}, {"Space", 46}}, "Fire the guns"},
        {{{"S", 19}}, "Weapon power to the shields"},
        {{{"W", 19}}, "Shield power to the weapons"},
        {{{"Esc", 27}}, "End the game"},
    };
    constexpr int KeyHeight = 17;
    constexpr int RowPitch = 23;
    constexpr int ActionLeft = 104;
    int top = BodyTop + 1;
    for (const KeyRow& row : rows) {
        int x = Margin + 3;
        for (const KeyCap& key : row.keys) {
            const std::string_view legend = key.legend;
            if (key.width == 0) {
                // A word between two keys.
                PaintText(canvas, legend, x + 1, top + 3, {Pale});
                x += TextWidth(legend) + 5;
                continue;
            }
            PaintKey(canvas, x, top, key.width, KeyHeight);
            const double cx = x + key.width / 2.0, cy = top + KeyHeight / 2.0 - 0.5;
            if (legend == "<") {
                PaintArrow(canvas, cx, cy, 0);
            } else if (legend == "^") {
                PaintArrow(canvas, cx, cy, 1);
            } else if (legend == ">") {
                PaintArrow(canvas, cx, cy, 2);
            } else if (legend == "v") {
                PaintArrow(canvas, cx, cy, 3);
            } else {
                PaintTextCentred(canvas, legend, cx, top + 2, {Rgb255(20, 20, 30)});
            }
            x += key.width + 4;
        }
        PaintText(canvas, row.action, ActionLeft, top + 3, {White});
        top += RowPitch;
    }
    PaintParagraphs(canvas, "Shots and turbo both draw on weapon energy.", Margin + 3, top + 2, Width - Margin, Lilac);
    return canvas;
}

// ---- 3 and 4: the craft ----

struct DataLine {
    const char* label;
    const char* value;
};

// The sheet at the left, the craft rendered at the right, clear of the buttons.
Canvas CraftPage(std::string_view heading, const std::vector<DataLine>& sheet, std::string_view note,
                 const Canvas& render, int renderLeft, int renderTop) {
    Canvas canvas = BlankPage(heading);
    PaintStars(canvas, 90 + heading.size(), 30, 32,
               {{0, 0, renderLeft, Height}, {CornerLeft, CornerTop, Width, Height}});
    PlaceOver(canvas, render, renderLeft, renderTop);
    int y = BodyTop + 2;
    for (const DataLine& line : sheet) {
        PaintText(canvas, line.label, Margin + 1, y, {Lilac});
        PaintText(canvas, line.value, Margin + 64, y, {White});
        y += 13;
    }
    PaintParagraphs(canvas, note, Margin + 1, y + 6, 150, Pale);
    return canvas;
}

Canvas PlayerShipPage() {
    // From behind and above, as the player sees it in flight, nose up the page.
    const Camera camera = OrbitCamera({0, -1.5, 0}, Pi + 0.42, 0.95, 0, 70, 290, 62, 84);
    const Canvas render = RenderSolid(128, 166, camera, PlayerShipSolid(), StudioLighting(), PlayerShipExhaust(8, 1.2));
    return CraftPage("VR-717 'Void Raider'",
                     {{"Armour:", "Titan-weave"},
                      {"Weapons:", "2 pulse guns"},
                      {"Crew:", "1 pilot"},
                      {"Length:", "14.2 m"},
                      {"Mass:", "18.5 tonnes"},
                      {"Top speed:", "2,400 km/s"}},
                     "Twin engine pods, guns either side of the nose and a bubble canopy with a view of "
                     "everything trying to hit you.",
                     render, 152, 32);
}

Canvas EnemyPage() {
    // Head on and from above: the way it comes down at you.
    const Camera camera = OrbitCamera({0, 0.5, -0.8}, Pi - 0.35, 0.62, 0.12, 50, 360, 64, 74);
    const Canvas render = RenderSolid(130, 150, camera, EnemyFighterSolid(), StudioLighting(), EnemyEyeGlow());
    return CraftPage("RX-4 'Hammerhead'",
                     {{"Armour:", "Scrap plate"},
                      {"Weapons:", "1 plasma gun"},
                      {"Crew:", "1 raider"},
                      {"Length:", "9.6 m"},
                      {"Mass:", "11 tonnes"},
                      {"Top speed:", "1,900 km/s"}},
                     "Bolted together in hidden asteroid yards from whatever the raiders could steal. "
                     "Slow to turn, quick to shoot: watch for the red eye.",
                     render, 150, 38);
}

// ---- 5: the credits ----

Canvas CreditsPage() {
    Canvas canvas = BlankPage("Credits");
    const DataLine credits[] = {
        {"Design and programming", "Dex Harlan"},      {"3D renders and artwork", "Mira Solberg"},
        {"Music and sound effects", "Tomas Quill"},    {"Story and help file", "Jo Brandt"},
        {"Play testing", "Pip, Ruby, Sam and Big Al"},
    };
    constexpr double Centre = 146;
    int y = BodyTop + 1;
    for (const DataLine& credit : credits) {
        PaintTextCentred(canvas, credit.label, Centre, y, {Lilac});
        PaintTextCentred(canvas, credit.value, Centre, y + 11, {White});
        y += 27;
    }
    PaintTextCentred(canvas, "No raiders were harmed making this game.", Centre, y + 4, {Pale});
    return canvas;
}

std::vector<platform::Surface> PaintPages() {
    std::vector<platform::Surface> pages;
    for (const Canvas& page : {StoryPage(), ControlsPage(), PlayerShipPage(), EnemyPage(), CreditsPage()}) {
        pages.push_back(page.ToSurface(0));
    }
    return pages;
}

[[maybe_unused]] const bool registered = RegisterPictures("pages", Width, Height, 5, PaintPages);

}  // namespace
}  // namespace art
