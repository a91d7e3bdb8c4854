// Asteroids: spawn rolls, fall, tumble, ram and the bottom of the field.
#include "fakes.h"

namespace enginetests {
namespace {

class AsteroidsTest : public EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        StartPlaying();
    }
    // Every slot but the given one holds a harmless rock far from the ship.
    static void FillAllBut(int free) {
        for (int j = 0; j < 6; ++j) {
            if (j != free) PlaceAsteroid(j, 400, 10 + 20 * j);
        }
    }
};

TEST_F(AsteroidsTest, EveryFreeSlotDrawsOnceAndLiveSlotsDrawNothing) {
    for (int j = 0; j < 6; ++j) rng.Push(NoSpawn);
    MoveAsteroids();
    EXPECT_EQ(rng.draws, 6);
    EXPECT_EQ(AsteroidY[0], FreeSlot);
    EXPECT_TRUE(draws.draws.empty());

    rng.Clear();
    FillAllBut(-1);
    MoveAsteroids();  // the script is empty: any draw fails the test
    EXPECT_EQ(rng.draws, 0);
}

TEST_F(AsteroidsTest, ASpawnTakesChanceSpeedAndXInThatOrderAndIsNotMovedYet) {
    AsteroidFrame[1] = 7;
    AsteroidSpeed[1] = 9;
    rng.Push({NoSpawn, 0.0f, 0.25f, 0.5f, NoSpawn, NoSpawn, NoSpawn, NoSpawn});

    MoveAsteroids();

    EXPECT_EQ(rng.Remaining(), 0u);
    EXPECT_EQ(rng.draws, 8);
    EXPECT_EQ(AsteroidY[1], 1);
    EXPECT_EQ(AsteroidSpeed[1], 3);
    EXPECT_EQ(AsteroidX[1], 226);
    EXPECT_EQ(AsteroidFrame[1], 1);
    EXPECT_TRUE(draws.draws.empty());

    // Next frame it falls from 1 like any other rock and shows its first image.
    TurboThrust = 2;
    rng.FillWith(NoSpawn);
    MoveAsteroids();
    EXPECT_EQ(draws.Of(Gfx().asteroid2), (std::vector<Draw>{{&Gfx().asteroid2, 1, 226, 6}}));
}

TEST_F(AsteroidsTest, SpawnValuesSpanOneToTenAndOneToFourHundredFifty) {
    struct Case {
        float speedDraw, xDraw;
        std::int32_t speed, x;
    } cases[] = {{0.0f, 0.0f, 1, 1}, {AlmostOne(), AlmostOne(), 10, 450}, {0.5f, 0.1f, 6, 46}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.speedDraw << ", " << c.xDraw);
        EmptyField();
        FillAllBut(0);
        rng.Clear();
        rng.Push({0.0f, c.speedDraw, c.xDraw});
        MoveAsteroids();
        EXPECT_EQ(AsteroidSpeed[0], c.speed);
        EXPECT_EQ(AsteroidX[0], c.x);
    }
}

TEST_F(AsteroidsTest, TheSpawnChanceIsOneInFortyFourLessTheTurboThrust) {
    for (std::int32_t turbo : {0, 5, 10}) {
        const int n = 44 - turbo;
        const float pass = LastPassing(n);
        const float fail = std::nextafter(pass, 1.0f);
        for (bool passes : {true, false}) {
            SCOPED_TRACE(testing::Message() << "turbo " << turbo
                                            << (passes ? ", last passing draw" : ", first failing draw"));
            EmptyField();
            FillAllBut(3);
            TurboThrust = turbo;
            rng.Clear();
            rng.Push(passes ? pass : fail);
            if (passes) rng.Push({0.0f, 0.0f});
            MoveAsteroids();
            EXPECT_EQ(rng.Remaining(), 0u);
            EXPECT_EQ(AsteroidY[3], passes ? 1 : FreeSlot);
        }
    }
}

TEST_F(AsteroidsTest, ARockFallsBySpeedPlusTurboAndTumblesThroughThirtyImages) {
    PlaceAsteroid(2, 50, 10, 3, 29);
    TurboThrust = 1;
    rng.FillWith(NoSpawn);
    std::vector<Draw> seen;
    for (int pass = 0; pass < 3; ++pass) {
        draws.Clear();
        MoveAsteroids();
        seen.push_back(draws.draws.at(0));
    }
    const platform::ImageList* a = &Gfx().asteroid2;
    EXPECT_EQ(seen, (std::vector<Draw>{{a, 29, 50, 14}, {a, 30, 50, 18}, {a, 1, 50, 22}}));
    EXPECT_EQ(AsteroidX[2], 50);
    EXPECT_EQ(AsteroidSpeed[2], 3);
}

TEST_F(AsteroidsTest, TheRamBoxAtItsEdges) {
    struct Case {
        int x, y;
        bool ram;
    } cases[] = {
        {192, 260, false}, {193, 260, true}, {231, 260, true}, {232, 260, false},
        {210, 242, false}, {210, 243, true}, {210, 281, true}, {210, 282, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "rock at (" << c.x << ", " << c.y << ") after its fall");
        EmptyField();
        FillAllBut(4);
        Forget();
        Shields = 100;
        PlaceAsteroid(4, c.x, c.y - 2, 2, 6);
        MoveAsteroids();
        EXPECT_EQ(Shields, c.ram ? -10 : 100);
        EXPECT_EQ(AsteroidY[4], c.ram ? FreeSlot : c.y);
        EXPECT_EQ(AsteroidFrame[4], c.ram ? 1 : 7);
        EXPECT_EQ(host.sounds, c.ram ? std::vector<int>{AsteroidHitSlot} : std::vector<int>{});
        int drawnHere = 0;
        for (const Draw& d : draws.Of(Gfx().asteroid2)) drawnHere += d.x == c.x;
        EXPECT_EQ(drawnHere, c.ram ? 0 : 1);
        EXPECT_EQ(ExplosionY[4], FreeSlot);
        EXPECT_EQ(rng.draws, 0) << "a slot freed in this pass waits for the next one";
    }
}

TEST_F(AsteroidsTest, ARockLeavesOnceBelowThreeHundredUndrawnAndFree) {
    struct Case {
        int y, speed;
        bool stays;
    } cases[] = {{297, 3, true}, {298, 3, false}, {290, 10, true}, {295, 10, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "Y " << c.y << " falling " << c.speed);
        EmptyField();
        FillAllBut(5);
        Forget();
        PlaceAsteroid(5, 20, c.y, c.speed, 12);
        const std::int32_t shields = Shields;
        MoveAsteroids();
        EXPECT_EQ(AsteroidY[5], c.stays ? c.y + c.speed : FreeSlot);
        EXPECT_EQ(AsteroidFrame[5], c.stays ? 13 : 1);
        int drawnHere = 0;
        for (const Draw& d : draws.Of(Gfx().asteroid2)) drawnHere += d.x == 20;
        EXPECT_EQ(drawnHere, c.stays ? 1 : 0);
        EXPECT_EQ(Shields, shields);
        EXPECT_EQ(rng.draws, 0);
    }
}

TEST_F(AsteroidsTest, TheRamTestIgnoresTheShipsDestruction) {
    DeathFrame = 24;
    FillAllBut(0);
    PlaceAsteroid(0, 200, 250);
    MoveAsteroids();
    EXPECT_EQ(AsteroidY[0], FreeSlot);
    EXPECT_EQ(Shields, -10);
}

}  // namespace
}  // namespace enginetests
