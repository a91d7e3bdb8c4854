// The status bar: energy regeneration, turbo drain, bonus lives, icons, gauges and the score.
#include <algorithm>
#include <sstream>

#include "fakes.h"
#include "platform/font.h"

namespace enginetests {
namespace {

using platform::Rgb;

class StatusTest : public EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        StartPlaying();
        ClearBuffer();
    }
};

// Where two surfaces first differ inside [x0, x1) x [y0, y1), or "" when they agree.
std::string FirstDifference(const platform::Surface& got, const platform::Surface& want, int x0, int y0, int x1,
                            int y1) {
    for (int y = y0; y < y1; ++y) {
        for (int x = x0; x < x1; ++x) {
            if (got.At(x, y) != want.At(x, y)) {
                std::ostringstream os;
                os << "pixel (" << x << ", " << y << "): got " << std::hex << got.At(x, y) << ", want "
                   << want.At(x, y);
                return os.str();
            }
        }
    }
    return "";
}

// The picture of one gauge: top edge, three fill rows, the dark bottom edge under the last fill row.
platform::Surface ExpectedGauge(int x0, int y0, int value) {
    platform::Surface s(FieldWidth, FieldHeight);
    const int from = std::min(x0, x0 + value);
    const int to = std::max(x0, x0 + value);
    for (int x = x0; x <= x0 + 100; ++x) {
        s.Set(x, y0, Rgb(220, 220, 220));
        s.Set(x, y0 + 4, Rgb(40, 40, 40));
    }
    for (int x = from; x <= to; ++x) {
        s.Set(x, y0 + 1, Rgb(255, 0, 0));
        s.Set(x, y0 + 2, Rgb(200, 0, 0));
        s.Set(x, y0 + 3, Rgb(128, 0, 0));
        s.Set(x, y0 + 4, Rgb(78, 0, 0));
    }
    return s;
}

TEST_F(StatusTest, RegenerationAndTurboDrainFollowTheOutcomeTable) {
    struct Case {
        const char* name;
        std::int32_t turbo, weapons, shields;
        std::int32_t weaponsAfter, shieldsAfter;
    } cases[] = {
        {"both below 100 gain one each", 0, 50, 50, 51, 51},
        {"full shields give weapons two", 0, 97, 100, 99, 100},
        {"weapons capped at 100", 0, 99, 100, 100, 100},
        {"full weapons give shields two", 0, 100, 97, 100, 99},
        {"shields capped at 100", 0, 100, 99, 100, 100},
        {"both full stay full", 0, 100, 100, 100, 100},
        {"turbo 5 drains nothing", 5, 100, 100, 100, 100},
        {"turbo 6 drains 3 before regenerating", 6, 100, 100, 99, 100},
        {"turbo 10 with shields below 100", 10, 50, 50, 48, 51},
        {"negative weapons after firing at 10", 0, -5, 50, -1, 51},
        {"shields -1 back to 0", 0, 50, -1, 51, 0},
        {"shields -1 to 1 with full weapons", 0, 100, -1, 100, 1},
        {"shields -2 saved by full weapons", 0, 100, -2, 100, 0},
        {"shields -2 left at -1 otherwise", 0, 50, -2, 51, -1},
        {"shields -2 with full weapons drained by turbo", 6, 100, -2, 98, -1},
        {"shields -3 clamped to -1", 0, 100, -3, 100, -1},
        {"deep shield loss clamped to -1", 0, 50, -200, 51, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TurboThrust = c.turbo;
        WeaponEnergy = c.weapons;
        Shields = c.shields;
        UpdateStatus();
        EXPECT_EQ(WeaponEnergy, c.weaponsAfter);
        EXPECT_EQ(Shields, c.shieldsAfter);
    }
}

TEST_F(StatusTest, BonusLivesComeOncePerFrameAboveStrictThresholds) {
    struct Case {
        std::int32_t bonus, score;
        bool granted;
    } cases[] = {
        {0, 5000, false}, {0, 5001, true},   {1, 10000, false}, {1, 10001, true},
        {2, 25000, false}, {2, 25001, true}, {3, 9999999, false}, {1, 5001, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "BonusLives " << c.bonus << ", Score " << c.score);
        Lives = 3;
        BonusLives = c.bonus;
        Score = c.score;
        UpdateStatus();
        EXPECT_EQ(Lives, c.granted ? 4 : 3);
        EXPECT_EQ(BonusLives, c.granted ? c.bonus + 1 : c.bonus);
    }
}

TEST_F(StatusTest, AScorePastSeveralThresholdsEarnsOneLifePerFrame) {
    Lives = 2;
    Score = 30000;
    std::vector<std::int32_t> lives;
    for (int i = 0; i < 4; ++i) {
        UpdateStatus();
        lives.push_back(Lives);
    }
    EXPECT_EQ(lives, (std::vector<std::int32_t>{3, 4, 5, 5}));
    EXPECT_EQ(BonusLives, 3);
}

TEST_F(StatusTest, SpareShipIconsFillLeftwardFromThreeHundredFiveAtMostFive) {
    const std::vector<std::pair<int, int>> all = {{305, 1}, {295, 1}, {285, 1}, {275, 1}, {265, 1}};
    for (std::int32_t lives = 0; lives <= 8; ++lives) {
        SCOPED_TRACE(lives);
        Lives = lives;
        Score = 0;
        draws.Clear();
        UpdateStatus();
        std::vector<std::pair<int, int>> icons;
        for (const Draw& d : draws.Of(Gfx().misc)) {
            if (d.n == 2) icons.push_back({d.x, d.y});
        }
        const std::size_t shown = static_cast<std::size_t>(std::clamp(lives - 1, 0, 5));
        const std::vector<std::pair<int, int>> expected(all.begin(), all.begin() + static_cast<long>(shown));
        EXPECT_EQ(icons, expected);
    }
}

TEST_F(StatusTest, ANewBonusLifeIsShownFromTheNextFrame) {
    Lives = 2;
    Score = 5001;
    auto icons = [&] {
        int n = 0;
        for (const Draw& d : draws.Of(Gfx().misc)) n += d.n == 2;
        return n;
    };
    UpdateStatus();
    EXPECT_EQ(icons(), 1);
    EXPECT_EQ(Lives, 3);
    draws.Clear();
    UpdateStatus();
    EXPECT_EQ(icons(), 2);
}

TEST_F(StatusTest, TheLabelsAreDrawnAfterTheGaugesAndBeforeTheIcons) {
    Lives = 2;
    bool gaugesDrawnBeforeLabels = false;
    draws.onDraw = [&](const Draw&) {
        if (draws.draws.size() == 1) {
            gaugesDrawnBeforeLabels =
                Buffer().At(2, 2) == Rgb(220, 220, 220) && Buffer().At(104, 2) == Rgb(220, 220, 220);
        }
    };
    UpdateStatus();
    const platform::ImageList* misc = &Gfx().misc;
    EXPECT_EQ(draws.draws,
              (std::vector<Draw>{{misc, 1, 70, 2}, {misc, 3, 178, 4}, {misc, 4, 210, 2}, {misc, 2, 305, 1}}));
    EXPECT_TRUE(gaugesDrawnBeforeLabels);
}

TEST_F(StatusTest, AGaugeIsSixLinesWhoseFillStartsAtItsLeftColumn) {
    for (std::int32_t value : {100, 50, 0, -1}) {
        SCOPED_TRACE(value);
        ClearBuffer();
        std::int32_t y = 10, x = 20, v = value;
        DrawGauge(y, x, v);
        EXPECT_EQ(FirstDifference(Buffer(), ExpectedGauge(20, 10, value), 0, 0, 140, 20), "");
        EXPECT_EQ(v, value);
        EXPECT_EQ(y, 10);
        EXPECT_EQ(x, 20);
    }
}

TEST_F(StatusTest, ANegativeGaugeValueIsDrawnAsMinusOneAndWrittenBack) {
    std::int32_t y = 10, x = 20, v = -7;
    DrawGauge(y, x, v);
    EXPECT_EQ(v, -1);
    EXPECT_EQ(FirstDifference(Buffer(), ExpectedGauge(20, 10, -1), 0, 0, 140, 20), "");
}

TEST_F(StatusTest, TheTwoGaugesShowTheStoresAfterRegeneration) {
    WeaponEnergy = 40;
    Shields = 30;
    UpdateStatus();
    const platform::BackBuffer& b = Buffer();
    // weapons 41 from column 2, shields 31 from column 104, both on rows 2 to 6
    EXPECT_EQ(b.At(2, 2), Rgb(220, 220, 220));
    EXPECT_EQ(b.At(102, 2), Rgb(220, 220, 220));
    EXPECT_EQ(b.At(103, 2), platform::Black);
    EXPECT_EQ(b.At(104, 2), Rgb(220, 220, 220));
    EXPECT_EQ(b.At(204, 2), Rgb(220, 220, 220));
    EXPECT_EQ(b.At(43, 3), Rgb(255, 0, 0));
    EXPECT_EQ(b.At(44, 3), platform::Black);
    EXPECT_EQ(b.At(135, 3), Rgb(255, 0, 0));
    EXPECT_EQ(b.At(136, 3), platform::Black);
    EXPECT_EQ(b.At(43, 6), Rgb(78, 0, 0));
    EXPECT_EQ(b.At(44, 6), Rgb(40, 40, 40));
    EXPECT_EQ(b.At(2, 7), platform::Black);
}

TEST_F(StatusTest, TheScoreIsPrintedWithCommasBetweenThousands) {
    const platform::BitmapFont& font = platform::BoldSans11();
    struct Case {
        std::int32_t score;
        const char* text;
        const char* wrong;  // what a missing or misplaced separator would print
    } cases[] = {
        {0, "0", "00"},
        {999, "999", "0,999"},
        {1000, "1,000", "1000"},
        {1234, "1,234", "1234"},
        {25000, "25,000", "25000"},
        {1234567, "1,234,567", "1234,567"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        Lives = 1;  // no spare-ship icon over the text
        Score = c.score;
        ClearBuffer();
        UpdateStatus();
        // Left of column 242 the Score label may cover the text's first columns.
        const int x1 = 240 + std::max(font.TextWidth(c.text), font.TextWidth(c.wrong)) + 4;
        const int y1 = 2 + font.LineHeight();
        platform::Surface want(FieldWidth, FieldHeight);
        font.Draw(want, 240, 2, c.text, Rgb(200, 200, 200));
        platform::Surface wrong(FieldWidth, FieldHeight);
        font.Draw(wrong, 240, 2, c.wrong, Rgb(200, 200, 200));
        ASSERT_NE(FirstDifference(want, wrong, 242, 2, x1, y1), "") << "the font cannot tell these apart";
        EXPECT_EQ(FirstDifference(Buffer(), want, 242, 2, x1, y1), "");
    }
}

}  // namespace
}  // namespace enginetests
