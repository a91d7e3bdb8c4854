// Explosions: four images drifting down, one retirement per pass.
#include "fakes.h"

namespace enginetests {
namespace {

class ExplosionsTest : public EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        StartPlaying();
    }
    // The images and heights drawn for slot j over n passes (0 where nothing was drawn for it).
    std::vector<std::pair<int, int>> Run(int j, int n) {
        std::vector<std::pair<int, int>> out;
        for (int pass = 0; pass < n; ++pass) {
            draws.Clear();
            UpdateExplosions();
            std::pair<int, int> seen{0, 0};
            for (const Draw& d : draws.Of(Gfx().Explosion1)) {
                if (d.x == ExplosionX[j]) seen = {d.n, d.y};
            }
            out.push_back(seen);
        }
        return out;
    }
};

TEST_F(ExplosionsTest, AnExplosionShowsFourImagesWhileDriftingAndRetiresOnTheFifthPass) {
    struct Case {
        std::int32_t turbo;
        std::vector<std::pair<int, int>> seen;
    } cases[] = {
        {0, {{1, 101}, {2, 102}, {3, 103}, {4, 104}, {0, 0}}},
        {10, {{1, 111}, {2, 122}, {3, 133}, {4, 144}, {0, 0}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.turbo);
        EmptyField();
        TurboThrust = c.turbo;
        PlaceExplosion(2, 70, 100);
        EXPECT_EQ(Run(2, 5), c.seen);
        EXPECT_EQ(ExplosionY[2], FreeSlot);
        EXPECT_EQ(ExplosionFrame[2], 1);
        EXPECT_EQ(ExplosionX[2], 70);
    }
    EXPECT_TRUE(host.log.empty());
    EXPECT_EQ(rng.draws, 0);
}

TEST_F(ExplosionsTest, ARetirementEndsThePassAndTheLaterSlotsWaitAFrame) {
    PlaceExplosion(0, 10, 100, 2);
    PlaceExplosion(1, 20, 100, 5);
    PlaceExplosion(3, 30, 100, 1);
    PlaceExplosion(4, 40, 100, 3);

    UpdateExplosions();

    EXPECT_EQ(draws.draws, (std::vector<Draw>{{&Gfx().Explosion1, 2, 10, 101}}));
    EXPECT_EQ(ExplosionY[1], FreeSlot);
    EXPECT_EQ(ExplosionFrame[1], 1);
    EXPECT_EQ(ExplosionY[3], 100);
    EXPECT_EQ(ExplosionFrame[3], 1);
    EXPECT_EQ(ExplosionY[4], 100);
    EXPECT_EQ(ExplosionFrame[4], 3);

    draws.Clear();
    UpdateExplosions();
    EXPECT_EQ(draws.draws, (std::vector<Draw>{{&Gfx().Explosion1, 3, 10, 102},
                                              {&Gfx().Explosion1, 1, 30, 101},
                                              {&Gfx().Explosion1, 3, 40, 101}}));
}

TEST_F(ExplosionsTest, TwoExplosionsEndingTogetherRetireOneFrameApartLowerSlotFirst) {
    PlaceExplosion(2, 20, 50, 5);
    PlaceExplosion(5, 50, 50, 5);

    UpdateExplosions();
    EXPECT_EQ(ExplosionY[2], FreeSlot);
    EXPECT_EQ(ExplosionY[5], 50);

    UpdateExplosions();
    EXPECT_EQ(ExplosionY[5], FreeSlot);
    EXPECT_TRUE(draws.draws.empty());
}

TEST_F(ExplosionsTest, AnExplosionHasNoBottomLimit) {
    PlaceExplosion(0, 10, 320, 1);
    UpdateExplosions();
    EXPECT_EQ(ExplosionY[0], 321);
    EXPECT_EQ(draws.draws, (std::vector<Draw>{{&Gfx().Explosion1, 1, 10, 321}}));
}

TEST_F(ExplosionsTest, SlotsBeyondFiveAreNeverTouched) {
    for (int j = 6; j < 10; ++j) PlaceExplosion(j, 10 * j, 100, 5);
    const Tables before = Tables::Now();
    UpdateExplosions();
    EXPECT_TRUE(Tables::Now() == before);
    EXPECT_TRUE(draws.draws.empty());
}

TEST_F(ExplosionsTest, ARestartInARunningSlotMovesItAndKeepsItsRemainingImages) {
    PlaceExplosion(1, 10, 100);
    UpdateExplosions();
    UpdateExplosions();  // images 1 and 2 shown
    // The asteroid slot took a new rock that was shot at (60, 30): only Y and X are written.
    ExplosionY[1] = 30;
    ExplosionX[1] = 60;
    EXPECT_EQ(Run(1, 3), (std::vector<std::pair<int, int>>{{3, 31}, {4, 32}, {0, 0}}));
}

}  // namespace
}  // namespace enginetests
