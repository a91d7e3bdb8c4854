// Checks of the pictures the windows show: the title, the splash, the button faces, the
// viewer's pages, the icon, the sponsor banners and the high-score craft. They are drawn over
// by the program's own buttons and labels, so the places those cover must stay clear.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>

#include "resources/pictures.h"

namespace {

struct Rect {
    int left, top, right, bottom;  // inclusive
};

struct Box {
    int left = 1 << 20, top = 1 << 20, right = -1, bottom = -1;
    int count = 0;
    double Middle() const { return (left + right + 1) / 2.0; }
    double MiddleRow() const { return (top + bottom + 1) / 2.0; }
    int Width() const { return right - left + 1; }
};

// Image n (from 0) of a list.
class Image {
public:
    Image(const char* list, int n) : list_(resources::FindPictures(list)), n_(n) {}

    bool Exists() const { return list_.pixels && n_ < list_.count; }
    int Width() const { return list_.width; }
    int Height() const { return list_.height; }
    std::uint32_t At(int x, int y) const {
        return list_.pixels[static_cast<std::size_t>(n_) * list_.width * list_.height +
                            static_cast<std::size_t>(y) * list_.width + x];
    }
    static int Red(std::uint32_t p) { return (p >> 16) & 0xFF; }
    static int Green(std::uint32_t p) { return (p >> 8) & 0xFF; }
    static int Blue(std::uint32_t p) { return p & 0xFF; }
    static double Luma(std::uint32_t p) { return 0.299 * Red(p) + 0.587 * Green(p) + 0.114 * Blue(p); }
    static bool Yellow(std::uint32_t p) { return Red(p) > 200 && Green(p) > 140 && Blue(p) < 130; }
    static bool Dark(std::uint32_t p) { return Luma(p) < 70; }

    template <class Test>
    Box Where(const Test& test, Rect r) const {
        Box box;
        for (int y = r.top; y <= r.bottom; ++y) {
            for (int x = r.left; x <= r.right; ++x) {
                if (!test(At(x, y))) continue;
                box = {std::min(box.left, x), std::min(box.top, y), std::max(box.right, x), std::max(box.bottom, y),
                       box.count + 1};
            }
        }
        return box;
    }
    template <class Test>
    double Share(const Test& test, Rect r) const {
        const double area = (r.right - r.left + 1.0) * (r.bottom - r.top + 1.0);
        return Where(test, r).count / area;
    }
    double MeanLuma(Rect r) const {
        double sum = 0;
        for (int y = r.top; y <= r.bottom; ++y) {
            for (int x = r.left; x <= r.right; ++x) sum += Luma(At(x, y));
        }
        return sum / ((r.right - r.left + 1.0) * (r.bottom - r.top + 1.0));
    }
    Rect All() const { return {0, 0, Width() - 1, Height() - 1}; }

private:
    resources::PictureList list_;
    int n_;
};

auto Bright = [](std::uint32_t p) { return Image::Luma(p) > 160; };
auto Lit = [](std::uint32_t p) { return Image::Luma(p) > 40; };

TEST(WindowPictures, HaveTheSizesAndCountsTheWindowsAskFor) {
    const struct {
        const char* name;
        int width, height, count;
    } lists[] = {
        {"title", 470, 285, 1},        {"splash", 320, 200, 1},
        {"pages", 320, 200, 5},        {"icon", 32, 32, 1},
        {"sponsors", 468, 60, 3},      {"scores_ship", 97, 95, 1},
        {"face_StartGame", 91, 17, 1}, {"face_HighScores", 91, 17, 1},
        {"face_Options", 91, 17, 1},   {"face_Information", 91, 17, 1},
        {"face_About", 91, 17, 1},     {"face_Help", 91, 17, 1},
        {"face_Exit", 91, 17, 1},      {"face_Ok", 91, 17, 1},
        {"face_Prev", 91, 17, 1},      {"face_Next", 91, 17, 1},
    };
    for (const auto& shape : lists) {
        SCOPED_TRACE(shape.name);
        const resources::PictureList list = resources::FindPictures(shape.name);
        ASSERT_NE(list.pixels, nullptr);
        EXPECT_EQ(list.width, shape.width);
        EXPECT_EQ(list.height, shape.height);
        EXPECT_EQ(list.count, shape.count);
        const std::size_t size = static_cast<std::size_t>(list.width) * list.height * list.count;
        EXPECT_TRUE(std::all_of(list.pixels, list.pixels + size, [](std::uint32_t p) { return p >> 24 == 0; }))
            << "bits above 0x00RRGGBB";
    }
}

// A face is centred on its button, which may be narrower than the face: the button's inside
// (its width less a two-pixel frame either side) is all that shows.
TEST(ButtonFaces, AreYellowWithDarkLetteringCentredInWhatTheNarrowestButtonShows) {
    const struct {
        const char* name;
        int shown;  // face columns the narrowest button using it shows
    } faces[] = {
        {"face_StartGame", 91}, {"face_HighScores", 91}, {"face_Options", 91}, {"face_Information", 91},
        {"face_About", 91},     {"face_Exit", 91},       {"face_Help", 63},    {"face_Ok", 27},
        {"face_Prev", 27},      {"face_Next", 27},
    };
    for (const auto& face : faces) {
        SCOPED_TRACE(face.name);
        const Image image(face.name, 0);
        ASSERT_TRUE(image.Exists());
        EXPECT_GT(image.Share(Image::Yellow, image.All()), 0.6) << "a yellow field";
        const Box ink = image.Where(Image::Dark, image.All());
        ASSERT_GE(ink.count, 12) << "no lettering";
        EXPECT_NEAR(ink.Middle(), image.Width() / 2.0, 1.5) << "not centred across";
        EXPECT_NEAR(ink.MiddleRow(), image.Height() / 2.0, 2.0) << "not centred down";
        const int first = (image.Width() - face.shown) / 2;
        EXPECT_GE(ink.left, first + 1) << "cut off by the button";
        EXPECT_LE(ink.right, first + face.shown - 2) << "cut off by the button";
        // The bevel round the edge is yellow, never dark like the lettering.
        EXPECT_GT(ink.top, 0);
        EXPECT_LT(ink.bottom, image.Height() - 1);
    }
}

// The paging faces point the way they page: the tip of each chevron is its middle row.
TEST(ButtonFaces, PointBackwardAndForward) {
    for (const bool back : {true, false}) {
        SCOPED_TRACE(back ? "face_Prev" : "face_Next");
        const Image face(back ? "face_Prev" : "face_Next", 0);
        ASSERT_TRUE(face.Exists());
        const Box ink = face.Where(Image::Dark, face.All());
        ASSERT_GT(ink.count, 0);
        const Box tipRow =
            face.Where(Image::Dark, {0, static_cast<int>(ink.MiddleRow()), 90, static_cast<int>(ink.MiddleRow())});
        const Box topRow = face.Where(Image::Dark, {0, ink.top, 90, ink.top});
        if (back) {
            EXPECT_EQ(tipRow.left, ink.left);
            EXPECT_GE(topRow.left, ink.left + 2);
        } else {
            EXPECT_EQ(tipRow.right, ink.right);
            EXPECT_LE(topRow.right, ink.right - 2);
        }
    }
}

// The viewer's three buttons stand over the page from x 284, y 125.
constexpr Rect PageButtons{281, 122, 319, 199};

TEST(ViewerPages, HaveAWhiteHeadingOverAPurpleRuleOnBlackWithTheButtonCornerClear) {
    for (int n = 0; n < 5; ++n) {
        SCOPED_TRACE(testing::Message() << "page " << n);
        const Image page("pages", n);
        ASSERT_TRUE(page.Exists());
        const Box heading = page.Where(Bright, {0, 0, 319, 25});
        EXPECT_GT(heading.count, 150) << "a heading at the top";
        EXPECT_NEAR(heading.Middle(), 160, 12);
        int purple = 0;
        for (int x = 100; x < 220; ++x) {
            const std::uint32_t p = page.At(x, 28);
            purple += Image::Blue(p) > Image::Green(p) + 40 && Image::Red(p) > Image::Green(p) + 20;
        }
        EXPECT_GT(purple, 110) << "a purple rule under the heading";
        EXPECT_LT(page.MeanLuma({0, 32, 319, 199}), 60) << "a dark page";
        EXPECT_GT(page.Share(Bright, {0, 32, 280, 199}), 0.03) << "something to read";
        EXPECT_EQ(page.Where(Bright, PageButtons).count, 0) << "text under the buttons";
    }
}

TEST(Title, HasItsNameInBlackOnAYellowBandAndTheButtonColumnOnBlack) {
    const Image title("title", 0);
    ASSERT_TRUE(title.Exists());
    // The box shows only 468 x 275 of it, and the menu buttons fill x 354 to 449, y 71 to 230.
    EXPECT_GT(title.Share(Image::Yellow, {0, 2, 467, 8}), 0.95) << "a yellow band across the top";
    const Box name = title.Where(Image::Dark, {0, 0, 469, 50});
    EXPECT_GT(name.count, 1500) << "the name in black letters";
    EXPECT_GE(name.left, 4);
    EXPECT_LE(name.right, 463) << "the name runs out of the box";
    EXPECT_NEAR(name.Middle(), 234, 6);
    EXPECT_LT(title.Share(Lit, {354, 71, 449, 230}), 0.01) << "the button column stands on black";
    EXPECT_GT(title.Share(Lit, {0, 60, 345, 274}), 0.25) << "the ship beside the buttons";
    EXPECT_LT(title.Share(Image::Yellow, {0, 60, 467, 274}), 0.02) << "black below the band";
}

TEST(Splash, KeepsTheLabelsPlacesDarkUnderItsYellowBand) {
    const Image splash("splash", 0);
    ASSERT_TRUE(splash.Exists());
    EXPECT_GT(splash.Share(Image::Yellow, {0, 2, 319, 6}), 0.95);
    const Box name = splash.Where(Image::Dark, {0, 0, 319, 38});
    EXPECT_GT(name.count, 500);
    EXPECT_NEAR(name.Middle(), 160, 5);
    // "v2.0" at 12, 61 and, in the same place, "Loading. . ." or the OK button at 258, 145.
    for (const Rect label : {Rect{12, 61, 32, 74}, Rect{258, 145, 307, 164}}) {
        SCOPED_TRACE(testing::Message() << "label at " << label.left << ", " << label.top);
        EXPECT_LT(splash.MeanLuma(label), 12);
        EXPECT_EQ(splash.Where(Bright, label).count, 0);
    }
    EXPECT_GT(splash.Share(Lit, {40, 50, 250, 175}), 0.2) << "the ship";
    EXPECT_GT(splash.Where(Bright, {0, 182, 319, 199}).count, 100) << "the credit line along the bottom";
}

TEST(Icon, IsTheShipOnADiscWithTheCornersLeftBlack) {
    const Image icon("icon", 0);
    ASSERT_TRUE(icon.Exists());
    for (const Rect corner : {Rect{0, 0, 2, 2}, Rect{29, 0, 31, 2}, Rect{0, 29, 2, 31}, Rect{29, 29, 31, 31}}) {
        EXPECT_LT(icon.MeanLuma(corner), 5);
    }
    EXPECT_GT(icon.Share(Lit, {10, 4, 21, 27}), 0.5) << "the ship down the middle";
}

TEST(Sponsors, AreColourfulLegibleBannersThatAllDiffer) {
    for (int n = 0; n < 3; ++n) {
        SCOPED_TRACE(testing::Message() << "banner " << n);
        const Image banner("sponsors", n);
        ASSERT_TRUE(banner.Exists());
        const auto colourful = [](std::uint32_t p) {
            return std::max({Image::Red(p), Image::Green(p), Image::Blue(p)}) -
                       std::min({Image::Red(p), Image::Green(p), Image::Blue(p)}) >
                   50;
        };
        EXPECT_GT(banner.Share(colourful, banner.All()), 0.4);
        // Light lettering outlined in dark: both show in quantity.
        EXPECT_GT(banner.Share([](std::uint32_t p) { return Image::Luma(p) > 200; }, banner.All()), 0.04);
        EXPECT_GT(banner.Share(Image::Dark, banner.All()), 0.04);
        for (int other = 0; other < n; ++other) {
            const Image earlier("sponsors", other);
            int same = 0;
            for (int y = 0; y < 60; ++y) {
                for (int x = 0; x < 468; ++x) same += banner.At(x, y) == earlier.At(x, y);
            }
            EXPECT_LT(same, 468 * 60 / 4) << "like banner " << other;
        }
    }
}

TEST(ScoresShip, IsACraftOnBlack) {
    const Image ship("scores_ship", 0);
    ASSERT_TRUE(ship.Exists());
    EXPECT_GT(ship.Share(Lit, {20, 20, 76, 74}), 0.3) << "a craft in the middle";
    EXPECT_LT(ship.MeanLuma({0, 0, 96, 8}) + ship.MeanLuma({0, 86, 96, 94}), 30) << "on black";
}

}  // namespace
