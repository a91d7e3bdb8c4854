// Checks of the sprite pictures built into the program: their sizes, their transparent
// backgrounds, and the traits each list must show when the game draws it.
#include "resources/pictures.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

namespace {

constexpr std::uint32_t Black = 0;

struct Box {
    int left, top, right, bottom;  // inclusive; left > right when nothing is painted
    int Width() const { return right - left + 1; }
    int Height() const { return bottom - top + 1; }
};

struct Rgb {
    double r = 0, g = 0, b = 0;
};

// Image n (from 1) of a list.
class Image {
public:
    Image(const resources::PictureList& list, int n)
        : width_(list.width), height_(list.height),
          pixels_(list.pixels + static_cast<std::size_t>(n - 1) * list.width * list.height) {}

    int Width() const { return width_; }
    int Height() const { return height_; }
    std::uint32_t At(int x, int y) const { return pixels_[y * width_ + x]; }
    static double Luma(std::uint32_t p) {
        return 0.299 * ((p >> 16) & 0xFF) + 0.587 * ((p >> 8) & 0xFF) + 0.114 * (p & 0xFF);
    }

    int Visible() const {
        int count = 0;
        for (int i = 0; i < width_ * height_; ++i) count += pixels_[i] != Black;
        return count;
    }
    Box Bounds() const {
        Box box{width_, height_, -1, -1};
        for (int y = 0; y < height_; ++y) {
            for (int x = 0; x < width_; ++x) {
                if (At(x, y) == Black) continue;
                box = {std::min(box.left, x), std::min(box.top, y), std::max(box.right, x), std::max(box.bottom, y)};
            }
        }
        return box;
    }
    // Over the painted pixels of the rectangle only.
    double MeanLuma(int x0 = 0, int y0 = 0, int x1 = 1 << 20, int y1 = 1 << 20) const {
        double sum = 0;
        int count = 0;
        for (int y = y0; y <= std::min(y1, height_ - 1); ++y) {
            for (int x = x0; x <= std::min(x1, width_ - 1); ++x) {
                if (At(x, y) == Black) continue;
                sum += Luma(At(x, y));
                ++count;
            }
        }
        return count ? sum / count : 0;
    }
    double TotalLuma() const { return MeanLuma() * Visible(); }
    // Mean of the brighter half of the painted pixels: how brightly the surfaces facing the
    // light are lit, whatever share of dim edge pixels the outline brings.
    double LitLuma() const {
        std::vector<double> lumas;
        for (int i = 0; i < width_ * height_; ++i) {
            if (pixels_[i] != Black) lumas.push_back(Luma(pixels_[i]));
        }
        std::sort(lumas.begin(), lumas.end(), std::greater<>());
        lumas.resize((lumas.size() + 1) / 2);
        double sum = 0;
        for (const double l : lumas) sum += l;
        return lumas.empty() ? 0 : sum / lumas.size();
    }
    Rgb MeanColour() const {
        Rgb sum;
        int count = 0;
        for (int i = 0; i < width_ * height_; ++i) {
            const std::uint32_t p = pixels_[i];
            if (p == Black) continue;
            sum.r += (p >> 16) & 0xFF;
            sum.g += (p >> 8) & 0xFF;
            sum.b += p & 0xFF;
            ++count;
        }
        if (count) sum = {sum.r / count, sum.g / count, sum.b / count};
        return sum;
    }
    // Mean absolute difference per channel against another image of the same size.
    double DifferenceFrom(const Image& other) const {
        double sum = 0;
        for (int i = 0; i < width_ * height_; ++i) {
            for (int shift : {16, 8, 0}) {
                sum += std::abs(static_cast<int>((pixels_[i] >> shift) & 0xFF) -
                                static_cast<int>((other.pixels_[i] >> shift) & 0xFF));
            }
        }
        return sum / (3.0 * width_ * height_);
    }
    bool SameAs(const Image& other) const { return std::equal(pixels_, pixels_ + width_ * height_, other.pixels_); }

private:
    int width_;
    int height_;
    const std::uint32_t* pixels_;
};

struct ListShape {
    const char* name;
    int width;
    int height;
    int count;
};

// Including the images the game stores but never draws (ship1 21 and 22, weapon1 5 and 6,
// enemy1 1 and 7, asteroid2 31).
const ListShape SpriteLists[] = {
    {"misc", 32, 16, 4},      {"enemy1f", 16, 16, 10}, {"enemy1", 16, 16, 7},  {"Explosion1", 16, 16, 4},
    {"asteroid2", 16, 16, 31}, {"weapon1", 8, 8, 7},    {"ship1", 32, 32, 27},
};

Image Picture(const char* list, int n) { return Image(resources::FindPictures(list), n); }

TEST(SpriteLists, HaveTheSizesAndCountsTheGameDrawsWith) {
    for (const ListShape& shape : SpriteLists) {
        SCOPED_TRACE(shape.name);
        const resources::PictureList list = resources::FindPictures(shape.name);
        EXPECT_EQ(list.width, shape.width);
        EXPECT_EQ(list.height, shape.height);
        ASSERT_EQ(list.count, shape.count);
        EXPECT_NE(list.pixels, nullptr);
    }
    const resources::PictureList unknown = resources::FindPictures("ship2");
    EXPECT_EQ(unknown.count, 0);
    EXPECT_EQ(unknown.pixels, nullptr);
}

TEST(SpriteLists, EveryImageShowsSomethingOnATransparentGround) {
    for (const ListShape& shape : SpriteLists) {
        const resources::PictureList list = resources::FindPictures(shape.name);
        ASSERT_EQ(list.count, shape.count) << shape.name;
        for (int n = 1; n <= list.count; ++n) {
            SCOPED_TRACE(testing::Message() << shape.name << " image " << n);
            const Image image(list, n);
            EXPECT_EQ(image.At(0, 0), Black);
            EXPECT_EQ(image.At(image.Width() - 1, 0), Black);
            EXPECT_EQ(image.At(0, image.Height() - 1), Black);
            EXPECT_EQ(image.At(image.Width() - 1, image.Height() - 1), Black);
            EXPECT_GT(image.Visible(), 0);
            EXPECT_LT(image.Visible(), image.Width() * image.Height() * 3 / 4) << "too little background";
            for (int i = 0; i < image.Width() * image.Height(); ++i) {
                ASSERT_EQ(image.At(i % image.Width(), i / image.Width()) >> 24, 0u) << "bits above 0x00RRGGBB";
            }
        }
    }
}

TEST(SpriteLists, ImagesOfAListAllDiffer) {
    for (const ListShape& shape : SpriteLists) {
        const resources::PictureList list = resources::FindPictures(shape.name);
        ASSERT_EQ(list.count, shape.count) << shape.name;
        for (int a = 1; a <= list.count; ++a) {
            for (int b = a + 1; b <= list.count; ++b) {
                // The rock's last image has come round to its first.
                if (std::string(shape.name) == "asteroid2" && a == 1 && b == 31) continue;
                EXPECT_FALSE(Image(list, a).SameAs(Image(list, b))) << shape.name << " images " << a << " and " << b;
            }
        }
    }
}

TEST(Asteroid, TurnsOnceRoundInThirtySteps) {
    const Image first = Picture("asteroid2", 1);
    EXPECT_LT(first.DifferenceFrom(Picture("asteroid2", 31)), 1.0);
    // Every step moves it visibly; half a turn on, it looks clearly different.
    for (int n = 2; n <= 30; ++n) {
        EXPECT_GT(Picture("asteroid2", n).DifferenceFrom(Picture("asteroid2", n - 1)), 2.0) << "image " << n;
    }
    EXPECT_GT(first.DifferenceFrom(Picture("asteroid2", 16)), 6.0);
}

TEST(Asteroid, IsARoundRockLitFromTheUpperLeft) {
    for (int n = 1; n <= 30; ++n) {
        SCOPED_TRACE(testing::Message() << "image " << n);
        const Image rock = Picture("asteroid2", n);
        const Box box = rock.Bounds();
        EXPECT_GE(box.Width(), 11);
        EXPECT_GE(box.Height(), 11);
        EXPECT_LE(std::abs(box.Width() - box.Height()), 3);
        EXPECT_GT(rock.MeanLuma(0, 0, 7, 7), rock.MeanLuma(8, 8, 15, 15) + 15);
        const Rgb c = rock.MeanColour();
        EXPECT_GE(c.r, c.g);
        EXPECT_GT(c.g, c.b) << "grey-brown";
    }
}

TEST(Shots, HaveTheirShapesAndColours) {
    enum Hue { Orange, Blue };
    const struct {
        int n;
        int width;
        int height;
        Hue hue;
    } cases[] = {
        {1, 2, 4, Orange}, {2, 2, 4, Orange}, {3, 2, 4, Orange}, {4, 4, 4, Orange},
        {5, 6, 6, Orange}, {6, 6, 6, Orange}, {7, 2, 6, Blue},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "weapon1 image " << c.n);
        const Image shot = Picture("weapon1", c.n);
        const Box box = shot.Bounds();
        EXPECT_EQ(box.Width(), c.width);
        if (c.n == 5 || c.n == 6) {
            EXPECT_LE(box.Height(), c.height);  // a ragged burst
        } else {
            EXPECT_EQ(box.Height(), c.height);
            EXPECT_EQ(shot.Visible(), c.width * c.height) << "a solid bolt";
        }
        const Rgb colour = shot.MeanColour();
        if (c.hue == Orange) {
            EXPECT_GT(colour.r, colour.g);
            EXPECT_GT(colour.g, colour.b);
        } else {
            EXPECT_GT(colour.b, colour.r);
            EXPECT_GT(colour.b, colour.g);
        }
    }
    EXPECT_GT(Picture("weapon1", 3).MeanLuma(), Picture("weapon1", 1).MeanLuma() + 20) << "the flame is brighter";
}

// Shots leave from the ship's x + 8 and x + 15: the two bolts must fly either side of its nose.
TEST(Shots, LeaveFromEitherSideOfTheShipsNose) {
    const Box bolt = Picture("weapon1", 1).Bounds();
    const double boltMiddle = (bolt.left + bolt.right + 1) / 2.0;
    const double between = (8 + boltMiddle + 15 + boltMiddle) / 2;
    const Image ship = Picture("ship1", 10);
    const int noseRow = ship.Bounds().top;
    double sum = 0;
    int count = 0;
    for (int x = 0; x < ship.Width(); ++x) {
        if (ship.At(x, noseRow) != Black) {
            sum += x + 0.5;
            ++count;
        }
    }
    ASSERT_GT(count, 0);
    EXPECT_NEAR(sum / count, between, 0.75);
}

TEST(Ship, PodsSpreadFromTheBanksToLevelFlight) {
    std::vector<int> widths;
    for (int n = 1; n <= 21; ++n) widths.push_back(Picture("ship1", n).Bounds().Width());
    for (int n = 2; n <= 10; ++n) EXPECT_GE(widths[n - 1], widths[n - 2]) << "image " << n;
    for (int n = 11; n <= 21; ++n) EXPECT_LE(widths[n - 1], widths[n - 2]) << "image " << n;
    EXPECT_GE(widths[9] - widths[0], 8);
    EXPECT_GE(widths[9] - widths[20], 8);
}

// Pixels of flame: strongly red, or orange to yellow, never grey or blue.
int FirePixels(const Image& image) {
    int count = 0;
    for (int y = 0; y < image.Height(); ++y) {
        for (int x = 0; x < image.Width(); ++x) {
            const std::uint32_t p = image.At(x, y);
            const int r = (p >> 16) & 0xFF, g = (p >> 8) & 0xFF, b = p & 0xFF;
            count += r > 90 && r > g * 3 / 2 && r > b * 2;
        }
    }
    return count;
}

TEST(Ship, BreaksUpInFireThatFadesToARedGlow) {
    // Fire breaks out on the intact ship first, then takes it over.
    EXPECT_GE(FirePixels(Picture("ship1", 22)), FirePixels(Picture("ship1", 10)) + 15);
    for (int n = 23; n <= 27; ++n) {
        const Rgb c = Picture("ship1", n).MeanColour();
        EXPECT_GT(c.r, c.g + 20) << "image " << n;
        EXPECT_GT(c.r, c.b + 20) << "image " << n;
    }
    EXPECT_GT(Picture("ship1", 25).TotalLuma(), Picture("ship1", 26).TotalLuma());
    EXPECT_GT(Picture("ship1", 26).TotalLuma(), Picture("ship1", 27).TotalLuma());
}

TEST(Enemy, DarkensAndSwingsItsStemAcrossAsItRolls) {
    double lastLuma = 1e9;
    double lastStem = 1e9;
    for (int n = 1; n <= 10; ++n) {
        SCOPED_TRACE(testing::Message() << "enemy1f image " << n);
        const Image craft = Picture("enemy1f", n);
        EXPECT_LT(craft.LitLuma(), lastLuma);
        lastLuma = craft.LitLuma();
        // Where the stem is: the middle of the painted pixels in the lower rows.
        double sum = 0;
        int count = 0;
        for (int y = 11; y < 16; ++y) {
            for (int x = 0; x < 16; ++x) {
                if (craft.At(x, y) != Black) {
                    sum += x + 0.5;
                    ++count;
                }
            }
        }
        ASSERT_GT(count, 0);
        const double stem = sum / count;
        if (n == 5) {
            EXPECT_NEAR(stem, 8.0, 0.75) << "level at rest";
        }
        if (n > 1) {
            EXPECT_LT(stem, lastStem) << "the stem swings one way only";
        }
        lastStem = stem;
    }
}

TEST(Enemy, BreaksUpIntoFadingRedDebris) {
    for (int n = 3; n <= 7; ++n) {
        const Rgb c = Picture("enemy1", n).MeanColour();
        EXPECT_GT(c.r, c.g + 20) << "image " << n;
        EXPECT_GT(c.r, c.b + 20) << "image " << n;
    }
    // 1 and 2 still show the grey wing bar across the top.
    for (int n = 1; n <= 2; ++n) {
        const Image craft = Picture("enemy1", n);
        const std::uint32_t wingEnd = craft.At(2, 5);
        EXPECT_NE(wingEnd, Black) << "image " << n;
        EXPECT_LT(std::abs(static_cast<int>((wingEnd >> 16) & 0xFF) - static_cast<int>(wingEnd & 0xFF)), 30);
    }
    EXPECT_GT(Picture("enemy1", 6).TotalLuma(), Picture("enemy1", 7).TotalLuma());
    for (int n = 1; n <= 6; ++n) {
        EXPECT_GT(Picture("enemy1", n).TotalLuma(), Picture("enemy1", 7).TotalLuma()) << "7 is the faintest";
    }
}

TEST(Explosion, ThinsOutFromADenseBrightCloudToAFewDarkSpecks) {
    for (int n = 2; n <= 4; ++n) {
        EXPECT_LT(Picture("Explosion1", n).Visible(), Picture("Explosion1", n - 1).Visible()) << "image " << n;
        EXPECT_LT(Picture("Explosion1", n).MeanLuma(), Picture("Explosion1", n - 1).MeanLuma()) << "image " << n;
    }
    EXPECT_GT(Picture("Explosion1", 1).MeanLuma(), 150);
    EXPECT_LT(Picture("Explosion1", 4).MeanLuma(), 100);
    EXPECT_LE(Picture("Explosion1", 4).Visible(), 16);
    for (int n = 1; n <= 4; ++n) {
        const Rgb c = Picture("Explosion1", n).MeanColour();
        EXPECT_LT(std::abs(c.r - c.b), 20) << "grey and white, image " << n;
    }
}

// Where UpdateStatus draws them: the gauges fill rows 2 to 6, the score is printed from x 240.
TEST(StatusBar, LabelsAreGreyClearOfTheGaugesAndTheScore) {
    const struct {
        int n;
        int x;
        int y;
        bool overGauge;  // lies over the right-hand end of a gauge
    } labels[] = {{1, 70, 2, true}, {3, 178, 4, true}, {4, 210, 2, false}};
    for (const auto& label : labels) {
        SCOPED_TRACE(testing::Message() << "misc image " << label.n);
        const Image image = Picture("misc", label.n);
        const Box box = image.Bounds();
        if (label.overGauge) {
            EXPECT_GT(label.y + box.top, 6) << "covers the gauge's rows";
        }
        EXPECT_LT(box.right, image.Width() - 1) << "lettering cut off";
        EXPECT_GE(box.Width(), 15) << "too small to read";
        for (int y = 0; y < image.Height(); ++y) {
            for (int x = 0; x < image.Width(); ++x) {
                const std::uint32_t p = image.At(x, y);
                const int r = (p >> 16) & 0xFF, g = (p >> 8) & 0xFF, b = p & 0xFF;
                EXPECT_LE(std::max({r, g, b}) - std::min({r, g, b}), 12) << "not grey at " << x << ", " << y;
            }
        }
    }
    EXPECT_LT(210 + Picture("misc", 4).Bounds().right, 240);
    EXPECT_GT(Picture("misc", 4).MeanLuma(), Picture("misc", 1).MeanLuma() + 10) << "Score is the lighter";
}

TEST(StatusBar, SpareShipIsASmallShipAtTheLeftOfItsCell) {
    const Box box = Picture("misc", 2).Bounds();
    EXPECT_LE(box.left, 1);
    EXPECT_GE(box.Width(), 9);
    EXPECT_LE(box.Width(), 12);
    EXPECT_GE(box.Height(), 12);
    EXPECT_LE(box.Height(), 15);
    // Icons stand 10 pixels apart, so neighbours overlap by at most a column or two.
    EXPECT_LE(box.right, 11);
}

}  // namespace
