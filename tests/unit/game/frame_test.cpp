// One frame as a whole: its order, the cleared picture, the single copy, the death trigger.
#include <algorithm>

#include "fakes.h"
#include "platform/pixel_checks.h"

namespace enginetests {
namespace {

class FrameTest : public EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        StartPlaying();
        rng.FillWith(NoSpawn);
    }
};

TEST_F(FrameTest, StepsDrawInTheirFixedOrderOnAClearedBufferAndTheCopyComesLast) {
    PlaceAsteroid(0, 50, 100);
    PlaceExplosion(1, 60, 100);
    PlaceEnemy(2, 300, 100);
    EnemyDodge[2] = 3;  // a dodger out of range: it neither moves nor fires
    PlaceEnemyShot(3, 400, 100);
    PlaceShot(0, 20, 200);
    pixel_checks::PaintAll(Buffer(), platform::Rgb(9, 9, 9));
    bool clearedBeforeFirstDraw = false;
    draws.onDraw = [&](const Draw&) {
        if (draws.draws.size() == 1) {
            clearedBeforeFirstDraw = Buffer().At(0, 0) == platform::Black && Buffer().At(483, 299) == platform::Black;
        }
    };
    draws.log = &host.log;

    Timer1_Timer();

    EXPECT_TRUE(clearedBeforeFirstDraw);
    std::vector<std::string> sprites;
    for (const std::string& entry : host.log) {
        if (entry.rfind("draw misc", 0) == 0) {
            if (sprites.empty() || sprites.back() != "status bar") sprites.push_back("status bar");
        } else if (entry.rfind("draw", 0) == 0 || entry.rfind("blit", 0) == 0) {
            sprites.push_back(entry);
        }
    }
    EXPECT_EQ(sprites, (std::vector<std::string>{"draw asteroid2 1 50 101", "draw Explosion1 1 60 101",
                                                 "draw enemy1f 5 300 101", "draw weapon1 7 400 110",
                                                 "draw weapon1 1 20 185", "draw ship1 2 200 250", "status bar",
                                                 "blit 484x300"}));
}

TEST_F(FrameTest, TheWholeFinishedBufferIsCopiedOncePerFrame) {
    platform::Pixel gaugeAtCopy = 0;
    platform::Pixel emptyFieldAtCopy = 1;
    host.onBlit = [&](const platform::Surface& s) {
        gaugeAtCopy = s.At(2, 2);
        emptyFieldAtCopy = s.At(400, 200);
    };
    pixel_checks::PaintAll(Buffer(), platform::Rgb(9, 9, 9));

    Timer1_Timer();
    Timer1_Timer();

    ASSERT_EQ(host.blits.size(), 2u);
    for (const FakeHost::Blit& b : host.blits) {
        EXPECT_EQ(b.source, &Buffer());
        EXPECT_EQ(b.width, 484);
        EXPECT_EQ(b.height, 300);
    }
    EXPECT_EQ(gaugeAtCopy, platform::Rgb(220, 220, 220));
    EXPECT_EQ(emptyFieldAtCopy, platform::Black);
}

TEST_F(FrameTest, ResizeGivesTheBufferTheScreenSizeAndTheCopyFollowsIt) {
    host.screenWidth = 320;
    host.screenHeight = 240;
    Form_Resize();
    EXPECT_EQ(Buffer().Width(), 320);
    EXPECT_EQ(Buffer().Height(), 240);

    Timer1_Timer();
    ASSERT_EQ(host.blits.size(), 1u);
    EXPECT_EQ(host.blits[0].width, 320);
    EXPECT_EQ(host.blits[0].height, 240);

    host.screenWidth = FieldWidth;
    host.screenHeight = FieldHeight;
    Form_Resize();
}

TEST_F(FrameTest, TheResetRunsOnlyWhenTheRequestIsExactlyOne) {
    NewGamePending = 2;
    ShipX = 33;

    Timer1_Timer();

    EXPECT_EQ(host.pumps, 0);
    EXPECT_EQ(ShipX, 33);
    EXPECT_EQ(NewGamePending, 2);
}

TEST_F(FrameTest, TheFirstFrameOfAGameOnlyRollsTheSpawnsAndDrawsNoObject) {
    NewGame();
    Forget();
    rng.Clear();
    // asteroid 0 spawns, 1 to 5 do not; enemy 0 spawns, 1 to 5 do not
    rng.Push({0.0f, 0.5f, 0.5f});
    for (int j = 1; j < 6; ++j) rng.Push(NoSpawn);
    rng.Push({0.0f, 0.5f, 0.5f, 0.5f, 0.5f});
    for (int j = 1; j < 6; ++j) rng.Push(NoSpawn);

    Timer1_Timer();

    EXPECT_EQ(rng.Remaining(), 0u);
    EXPECT_EQ(rng.draws, 18);
    EXPECT_EQ(AsteroidY[0], 1);
    EXPECT_EQ(EnemyY[0], 1);
    EXPECT_TRUE(draws.Of(Gfx().asteroid2).empty());
    EXPECT_TRUE(draws.Of(Gfx().enemy1f).empty());
    EXPECT_EQ(host.pumps, 1);
}

struct TriggerCase {
    const char* name;
    std::int32_t shields, weapons, deathFrame;
    std::int32_t deathFrameAfter;
};

TEST_F(FrameTest, TheDeathTriggerArmsOnlyOnNegativeShieldsAfterTheStatusBarAndOnlyFromFlight) {
    const TriggerCase cases[] = {
        {"shields end the frame at -1 in flight", -50, 50, 0, 22},
        {"the same after a respawn", -50, 50, 15, 22},
        {"20 is below the limit", -50, 50, 20, 22},
        {"21 is not below the limit", -50, 50, 21, 21},
        {"-1 is regenerated to 0", -1, 50, 0, 0},
        {"-2 is saved by a full weapon store", -2, 100, 0, 0},
        {"-2 is not saved otherwise", -2, 50, 0, 22},
        {"-3 is not saved by a full store", -3, 100, 0, 22},
        {"no second trigger during the destruction", -50, 50, 23, 24},
    };
    for (const TriggerCase& c : cases) {
        SCOPED_TRACE(c.name);
        EmptyField();
        Lives = 3;
        Shields = c.shields;
        WeaponEnergy = c.weapons;
        DeathFrame = c.deathFrame;

        Timer1_Timer();

        EXPECT_EQ(DeathFrame, c.deathFrameAfter);
    }
}

}  // namespace
}  // namespace enginetests
