// sponsors: the banners the main window's bottom strip takes turns to show. Every firm
// on them is our own invention.
#include <cmath>
#include <string_view>

#include "tools/art/picture_registry.h"
#include "tools/art/solid.h"
#include "tools/art/window_backdrop.h"
#include "tools/art/window_lettering.h"
#include "tools/art/window_models.h"
#include "tools/art/window_shapes.h"

namespace art {
namespace {

constexpr int Width = 468;
constexpr int Height = 60;

const Colour Ink = Rgb255(10, 10, 24);

// Lettering with a dark outline all round, so it reads over any ground.
void PaintOutlined(Canvas& canvas, std::string_view text, double x, double y, const TextStyle& style,
                   Colour outline = Ink) {
    TextStyle edge = style;
    edge.colour = outline;
    for (int dy = -1; dy <= 1; ++dy) {
        for (int dx = -1; dx <= 1; ++dx) {
            if (dx || dy) PaintText(canvas, text, x + dx, y + dy, edge);
        }
    }
    PaintText(canvas, text, x + 1.5, y + 2, edge);  // and a drop to the lower right
    PaintText(canvas, text, x, y, style);
}

// A vertical gradient over the whole banner, framed by a dark line inside a light one.
Canvas Ground(Colour top, Colour bottom, Colour frame) {
    Canvas canvas(Width, Height);
    for (int y = 0; y < Height; ++y) {
        const Colour c = Mix(top, bottom, static_cast<double>(y) / (Height - 1));
        for (int x = 0; x < Width; ++x) {
            const int edge = std::min({x, y, Width - 1 - x, Height - 1 - y});
            canvas.At(x, y) = {edge == 0 ? frame : edge == 1 ? Ink : c, 1};
        }
    }
    return canvas;
}

// A gold seal with two short lines of lettering, the kind old firms put on everything.
void PaintSeal(Canvas& canvas, double cx, double cy, std::string_view upper, std::string_view lower) {
    constexpr double Radius = 24;
    FillShape(
        canvas, Around(cx, cy, Radius, Radius),
        [=](double x, double y) {
            // Scalloped: the radius rises and falls twenty times round the edge.
            const double a = std::atan2(y - cy, x - cx);
            return std::hypot(x - cx, y - cy) < Radius - 1.5 + 1.5 * std::cos(20 * a);
        },
        [=](double x, double y) {
            const double lift = Clamp01(0.5 - ((x - cx) + (y - cy)) / (3 * Radius));
            return Mix(Rgb255(180, 120, 10), Rgb255(255, 228, 90), lift);
        });
    PaintTextCentred(canvas, upper, cx, cy - 12, {Ink});
    PaintTextCentred(canvas, lower, cx, cy - 2, {Ink, 1.3, 0});
}

// ---- Asteroid Insurance: a rock with a sticking plaster ----

void PaintPlaster(Canvas& canvas, double cx, double cy, double angle) {
    const double c = std::cos(angle), s = std::sin(angle);
    for (const double turn : {0.0, Pi / 2}) {
        const double tc = std::cos(turn), ts = std::sin(turn);
        auto local = [=](double x, double y, double& u, double& v) {
            const double dx = x - cx, dy = y - cy;
            const double ru = dx * c + dy * s, rv = -dx * s + dy * c;
            u = ru * tc + rv * ts;
            v = -ru * ts + rv * tc;
        };
        FillShape(
            canvas, Around(cx, cy, 15, 15),
            [&](double x, double y) {
                double u, v;
                local(x, y, u, v);
                return RoundRectDistance(u, v, 0, 0, 13, 4, 3.5) < 0;
            },
            [&](double x, double y) {
                double u, v;
                local(x, y, u, v);
                Colour tint = Mix(Rgb255(246, 206, 170), Rgb255(206, 150, 120), (v + 4) / 8);
                // The pad in the middle, with the little holes of a real plaster round it.
                if (std::fabs(u) < 4.5) tint = Rgb255(250, 244, 236);
                const double hx = std::fmod(std::fabs(u) + 100, 3.0) - 1.5;
                if (std::fabs(u) > 5.5 && hx * hx + (std::fabs(v) - 1.5) * (std::fabs(v) - 1.5) < 0.3) {
                    tint = tint * 0.8;
                }
                return tint;
            });
    }
}

Canvas InsuranceBanner() {
    Canvas canvas = Ground(Rgb255(10, 24, 90), Rgb255(30, 80, 190), Rgb255(140, 190, 255));
    PaintStars(canvas, 381, 70, 2, {{2, 0, 70, Height}});
    const Camera camera = OrbitCamera({0, 0, 0}, 0.7, 0.5, 0, 140, 140, 34, 30);
    PlaceOver(canvas, RenderSolid(68, 60, camera, AsteroidSolid(24, 23), StudioLighting()), 2, 0);
    PaintPlaster(canvas, 42, 24, 0.5);
    PaintOutlined(canvas, "Asteroid Insurance Ltd.", 80, 2, {Rgb255(255, 255, 255), 2, 0.12});
    PaintOutlined(canvas, "We cover the impact!", 84, 24, {Rgb255(255, 222, 60), 1.5, 0.12});
    PaintOutlined(canvas, "Ask about our no-claims comet bonus.", 86, 42, {Rgb255(180, 220, 255)});
    PaintSeal(canvas, 428, 30, "SINCE", "2381");
    return canvas;
}

// ---- Turbo Thrust: a can of the stuff and a lot of speed ----

void PaintCan(Canvas& canvas, double left, double top, double width, double height) {
    const double cx = left + width / 2, rx = width / 2, ry = 3.5;
    auto inside = [=](double x, double y) {
        const double u = (x - cx) / rx;
        if (std::fabs(u) > 1) return false;
        const double cap = ry * std::sqrt(1 - u * u);
        return y > top - cap && y < top + height + cap;
    };
    FillShape(canvas, Around(cx, top + height / 2, rx, height / 2 + ry), inside, [=](double x, double y) {
        const double u = (x - cx) / rx;
        // Round: bright where it faces the light at the upper left, dark at the far side.
        const double light = 0.35 + 0.9 * std::pow(std::max(0.0, std::cos((u + 0.45) * 1.4)), 2);
        const double cap = ry * std::sqrt(std::max(0.0, 1 - u * u));
        if (y < top + cap || y > top + height - 4) return Rgb255(200, 204, 214) * light;  // the metal ends
        Colour body = Rgb255(20, 30, 120);
        // A yellow flash across the middle.
        const double band = y - (top + height * 0.5) + u * 6;
        if (std::fabs(band) < 4) body = Rgb255(255, 210, 40);
        return body * light;
    });
}

Canvas DrinkBanner() {
    Canvas canvas = Ground(Rgb255(200, 30, 10), Rgb255(255, 130, 20), Rgb255(255, 230, 120));
    // Speed lines raking back behind the lettering.
    FillShape(
        canvas, {2, 2, Width - 2, Height - 2},
        [](double x, double y) { return std::fmod(x + y * 0.8, 34.0) < 9 && x < 380; },
        [](double x, double) { return Rgb255(255, 200, 90) * (0.45 * (1 - x / 380)); });
    PaintOutlined(canvas, "TURBO THRUST", 14, 2, {Rgb255(255, 236, 40), 2.2, 0.25});
    PaintOutlined(canvas, "energy drink", 226, 12, {Rgb255(255, 255, 255), 1.3, 0.15});
    PaintOutlined(canvas, "Puts the whoosh in your warp drive.", 18, 28, {Rgb255(255, 255, 255), 1.3, 0.15});
    PaintOutlined(canvas, "Now with 40% more fizz!", 20, 45, {Rgb255(255, 236, 40)});
    PaintCan(canvas, 404, 12, 24, 38);
    PaintCan(canvas, 432, 16, 24, 38);
    return canvas;
}

// ---- Raider Repair Yards: a spanner on a hazard-striped ground ----

void PaintSpanner(Canvas& canvas, double cx, double cy, double angle) {
    const double c = std::cos(angle), s = std::sin(angle);
    auto local = [=](double x, double y, double& u, double& v) {
        const double dx = x - cx, dy = y - cy;
        u = dx * c + dy * s;
        v = -dx * s + dy * c;
    };
    auto inside = [&](double x, double y) {
        double u, v;
        local(x, y, u, v);
        const bool handle = std::fabs(v) < 2.6 && std::fabs(u) < 15;
        // An open jaw at each end, the gap facing out along the handle.
        for (const double end : {-17.0, 17.0}) {
            const double du = u - end, dv = v;
            const double r = std::hypot(du, dv);
            const bool gap = std::fabs(dv) < 2.6 && du * end > 0;
            if (r < 6.5 && !gap) return true;
        }
        return handle;
    };
    FillShape(canvas, Around(cx, cy, 25, 25), inside, [&](double x, double y) {
        double u, v;
        local(x, y, u, v);
        return Mix(Rgb255(240, 244, 250), Rgb255(120, 126, 140), Clamp01(0.5 + v / 7));
    });
}

Canvas RepairBanner() {
    Canvas canvas = Ground(Rgb255(24, 130, 64), Rgb255(10, 74, 40), Rgb255(150, 230, 160));
    // Hazard stripes along the foot.
    FillShape(
        canvas, {2, Height - 8, Width - 2, Height - 2}, [](double, double) { return true; },
        [](double x, double y) { return std::fmod(x + y, 16.0) < 8 ? Rgb255(250, 204, 20) : Ink; });
    // The badge: a dark disc with a bright rim, the spanner across it.
    FillShape(
        canvas, {6, 2, 58, 52}, [](double x, double y) { return std::hypot(x - 31, y - 27) < 23; },
        [](double x, double y) {
            return std::hypot(x - 31, y - 27) > 20.5 ? Rgb255(250, 204, 20) : Rgb255(20, 40, 30);
        });
    PaintSpanner(canvas, 31, 27, -0.75);
    PaintSpanner(canvas, 31, 27, 0.75);
    PaintOutlined(canvas, "Raider Repair Yards", 72, 1, {Rgb255(255, 255, 255), 1.9, 0.12});
    PaintOutlined(canvas, "Dents out while you wait.", 76, 22, {Rgb255(250, 214, 40), 1.4, 0.12});
    PaintOutlined(canvas, "Open 25 hours a day, 8 days a week.", 200, 39, {Rgb255(190, 250, 200)});
    // A customer in for a polish, nose up on the slipway.
    const Camera camera = OrbitCamera({0, -1.5, 0}, 0.62, 0.78, -0.42, 60, 124, 40, 27);
    PlaceOver(canvas, RenderSolid(80, 52, camera, PlayerShipSolid(), StudioLighting()), 384, 1);
    return canvas;
}

std::vector<platform::Surface> PaintSponsors() {
    return {InsuranceBanner().ToSurface(0), DrinkBanner().ToSurface(0), RepairBanner().ToSurface(0)};
}

[[maybe_unused]] const bool registered = RegisterPictures("sponsors", Width, Height, 3, PaintSponsors);

}  // namespace
}  // namespace art
