// Enemy ships: spawn rolls, ram, break-up, firing, chasing, dodging and lean.
#include "fakes.h"

namespace enginetests {
namespace {

class EnemiesTest : public EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        StartPlaying();
    }
    static void SetEnemy(int j, int x, int y, int dodge, int speedX, int speedY, int frame = 5) {
        PlaceEnemy(j, x, y);
        EnemyDodge[j] = dodge;
        EnemySpeedX[j] = speedX;
        EnemySpeedY[j] = speedY;
        EnemyFrame[j] = frame;
    }
    // Every slot but the given one holds a dodger far from the ship: it neither steers nor fires.
    static void FillAllBut(int free) {
        for (int j = 0; j < 6; ++j) {
            if (j != free) SetEnemy(j, 400, 10 + 20 * j, 3, 1, 1);
        }
    }
    struct Step {
        std::int32_t x, frame;
        bool operator==(const Step&) const = default;
    };
    // Runs n passes over a field where slot j is the only enemy, and returns its X and its
    // drawn lean after each.
    std::vector<Step> Run(int j, int n) {
        rng.FillWith(NoSpawn);
        std::vector<Step> out;
        for (int pass = 0; pass < n; ++pass) {
            draws.Clear();
            MoveEnemies();
            const std::vector<Draw> drawn = draws.Of(Gfx().enemy1f);
            EXPECT_EQ(drawn.size(), 1u) << "pass " << pass;
            out.push_back({EnemyX[j], drawn.empty() ? 0 : drawn[0].n});
        }
        return out;
    }
};

TEST_F(EnemiesTest, AFreeSlotDrawsOnceOrFiveTimesInTheOrderChanceXSpeedYDodgeSpeedX) {
    for (int j = 0; j < 6; ++j) rng.Push(NoSpawn);
    for (int j = 6; j < 10; ++j) PlaceEnemy(j, 100, 100);  // never part of the pass
    const EnemyTable unusedSlots = Enemies;
    MoveEnemies();
    EXPECT_EQ(rng.draws, 6);
    EXPECT_EQ(std::memcmp(&Enemies, &unusedSlots, sizeof Enemies), 0);
    EXPECT_TRUE(draws.draws.empty());

    EmptyField();
    rng.Clear();
    EnemyFrame[2] = 8;
    EnemyState[2] = 4;
    rng.Push({NoSpawn, NoSpawn, 0.0f, 0.1f, 0.9f, 0.35f, 0.25f, NoSpawn, NoSpawn, NoSpawn});
    MoveEnemies();
    EXPECT_EQ(rng.Remaining(), 0u);
    EXPECT_EQ(rng.draws, 10);
    EXPECT_EQ(EnemyY[2], 1);
    EXPECT_EQ(EnemyX[2], 55);
    EXPECT_EQ(EnemySpeedY[2], 3);
    EXPECT_EQ(EnemyDodge[2], 4);
    EXPECT_EQ(EnemySpeedX[2], 2);
    EXPECT_EQ(EnemyState[2], 1);
    EXPECT_EQ(EnemyFrame[2], 8);  // a new enemy starts with its slot's last lean
    EXPECT_TRUE(draws.draws.empty());

    // First drawn in the next pass, one fall down.
    TurboThrust = 1;
    rng.FillWith(NoSpawn);
    MoveEnemies();
    ASSERT_EQ(draws.Of(Gfx().enemy1f).size(), 1u);
    EXPECT_EQ(draws.Of(Gfx().enemy1f)[0].y, 5);
}

TEST_F(EnemiesTest, SpawnValuesSpanTheirWholeRanges) {
    struct Case {
        float r;
        std::int32_t x, speedY, dodge, speedX;
    } cases[] = {{0.0f, 10, 1, 1, 1}, {AlmostOne(), 459, 3, 10, 5}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.r);
        EmptyField();
        FillAllBut(0);
        rng.Clear();
        rng.Push({0.0f, c.r, c.r, c.r, c.r});
        MoveEnemies();
        EXPECT_EQ(EnemyX[0], c.x);
        EXPECT_EQ(EnemySpeedY[0], c.speedY);
        EXPECT_EQ(EnemyDodge[0], c.dodge);
        EXPECT_EQ(EnemySpeedX[0], c.speedX);
    }
}

TEST_F(EnemiesTest, TheSpawnChanceIsOneInFiftyFour) {
    const float pass = LastPassing(54);
    for (float r : {pass, std::nextafter(pass, 1.0f)}) {
        SCOPED_TRACE(r == pass ? "last passing draw" : "first failing draw");
        EmptyField();
        FillAllBut(5);
        TurboThrust = 10;  // the turbo thrust has no part in this chance
        rng.Clear();
        rng.Push(r);
        if (r == pass) rng.Push({0.5f, 0.5f, 0.5f, 0.5f});
        MoveEnemies();
        EXPECT_EQ(rng.Remaining(), 0u);
        EXPECT_EQ(EnemyY[5], r == pass ? 1 : FreeSlot);
    }
}

TEST_F(EnemiesTest, TheRamBoxAtItsEdgesCostsAHundredShieldsAndFreesTheSlot) {
    struct Case {
        int x, y;
        std::int32_t state;
        bool ram;
    } cases[] = {
        {192, 260, 1, false}, {193, 260, 1, true}, {231, 260, 1, true}, {232, 260, 1, false},
        {210, 242, 1, false}, {210, 243, 1, true}, {210, 281, 1, true}, {210, 282, 1, false},
        {210, 245, 1, true},  // in the fire window too: a rammed enemy does not fire
        {200, 260, 4, true},  // breaking up still rams, and its last images are not shown
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "enemy at (" << c.x << ", " << c.y << ") after its fall, state " << c.state);
        EmptyField();
        FillAllBut(1);
        Forget();
        Shields = 100;
        SetEnemy(1, c.x, c.y - 1, 10, 1, 1);
        EnemyState[1] = c.state;
        MoveEnemies();
        EXPECT_EQ(Shields, c.ram ? 0 : 100);
        if (c.ram) {
            EXPECT_EQ(EnemyY[1], FreeSlot);
            EXPECT_EQ(EnemyState[1], 1);
            EXPECT_EQ(host.sounds, std::vector<int>{EnemyHitSlot});
            EXPECT_EQ(EnemyShotY[1], FreeSlot);
            EXPECT_TRUE(draws.Of(Gfx().enemy1).empty());
            EXPECT_EQ(draws.Of(Gfx().enemy1f).size(), 5u);  // only the five others
        } else {
            EXPECT_EQ(EnemyY[1], c.y);
        }
        EXPECT_EQ(rng.draws, 0) << "a slot freed in this pass waits for the next one";
        EXPECT_EQ(Score, 0);
    }
}

TEST_F(EnemiesTest, ARammedChaserStillSteersInTheSamePass) {
    SetEnemy(0, 230, 259, 1, 4, 2);  // a chaser right of ShipX + 9
    FillAllBut(0);
    MoveEnemies();
    EXPECT_EQ(EnemyY[0], FreeSlot);
    EXPECT_EQ(EnemyX[0], 226);
    EXPECT_EQ(EnemySpeedY[0], 1);
    EXPECT_EQ(EnemyFrame[0], 4);
}

TEST_F(EnemiesTest, AnEnemyLeavesOnceBelowThreeHundredUndrawn) {
    struct Case {
        int y, speedY;
        std::int32_t state;
        bool stays;
    } cases[] = {{297, 3, 1, true}, {299, 3, 1, false}, {298, 3, 5, false}, {296, 3, 3, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "Y " << c.y << ", state " << c.state);
        EmptyField();
        FillAllBut(2);
        Forget();
        SetEnemy(2, 20, c.y, 10, 5, c.speedY);
        EnemyState[2] = c.state;
        MoveEnemies();
        if (c.stays) {
            EXPECT_EQ(EnemyY[2], c.y + c.speedY);
            EXPECT_EQ(draws.draws.size(), 6u);
        } else {
            EXPECT_EQ(EnemyY[2], FreeSlot);
            EXPECT_EQ(EnemyState[2], 1);
            EXPECT_EQ(draws.draws.size(), 5u);
        }
    }
}

TEST_F(EnemiesTest, ABreakUpShowsImagesTwoToSixWhileFallingThenFreesTheSlot) {
    SetEnemy(3, 200, 100, 1, 5, 2);  // in the fire window and off the chase aim, had it been flying
    EnemyState[3] = 2;
    FillAllBut(3);
    std::vector<Draw> seen;
    for (int pass = 0; pass < 5; ++pass) {
        draws.Clear();
        MoveEnemies();
        for (const Draw& d : draws.Of(Gfx().enemy1)) seen.push_back(d);
    }
    const platform::ImageList* e = &Gfx().enemy1;
    EXPECT_EQ(seen, (std::vector<Draw>{{e, 2, 200, 102}, {e, 3, 200, 104}, {e, 4, 200, 106}, {e, 5, 200, 108},
                                       {e, 6, 200, 110}}));
    EXPECT_EQ(EnemyY[3], FreeSlot);
    EXPECT_EQ(EnemyState[3], 1);
    EXPECT_EQ(EnemyShotY[3], FreeSlot);
    EXPECT_TRUE(host.sounds.empty());
}

TEST_F(EnemiesTest, TheFireWindowAtItsEdges) {
    struct Case {
        int x, y;
        bool fires;
    } cases[] = {{192, 240, false}, {193, 240, true}, {219, 240, true}, {220, 240, false},
                 {200, 20, true},   {200, 242, true},  {200, 282, false}};
    // Lower down the window lies inside the ram box, which frees the enemy before it can fire.
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "enemy at (" << c.x << ", " << c.y << ") after its fall");
        EmptyField();
        FillAllBut(4);
        Forget();
        SetEnemy(4, c.x, c.y - 1, 10, 5, 1);
        MoveEnemies();
        if (c.fires) {
            EXPECT_EQ(EnemyShotY[4], c.y + 12);
            EXPECT_EQ(EnemyShotX[4], c.x + 6);
            EXPECT_EQ(host.sounds, std::vector<int>{EnemyFireSlot});
        } else {
            EXPECT_EQ(EnemyShotY[4], FreeSlot);
            EXPECT_TRUE(host.sounds.empty());
        }
        for (int j = 0; j < 10; ++j) {
            if (j != 4) {
                EXPECT_EQ(EnemyShotY[j], FreeSlot) << "an enemy fires only into its own slot";
            }
        }
    }
}

TEST_F(EnemiesTest, NoSecondShotWhileTheFirstFlies) {
    SetEnemy(0, 200, 100, 10, 5, 1);
    FillAllBut(0);
    PlaceEnemyShot(0, 7, 280);
    MoveEnemies();
    EXPECT_EQ(EnemyShotY[0], 280);
    EXPECT_EQ(EnemyShotX[0], 7);
    EXPECT_TRUE(host.sounds.empty());
}

TEST_F(EnemiesTest, AChaserParksOnTheShipOrClosesInFromTheRight) {
    SetEnemy(0, 205, 10, 1, 5, 2);
    EXPECT_EQ(Run(0, 3), (std::vector<Step>{{205, 5}, {205, 5}, {205, 5}}));
    EXPECT_EQ(EnemySpeedY[0], 1);

    SetEnemy(0, 300, 10, 1, 3, 1);
    std::vector<std::int32_t> xs;
    for (const Step& s : Run(0, 34)) xs.push_back(s.x);
    std::vector<std::int32_t> expected;
    for (int x = 297; x > 209; x -= 3) expected.push_back(x);
    while (expected.size() < 34) expected.push_back(207);
    EXPECT_EQ(xs, expected);
}

TEST_F(EnemiesTest, AChaserSteersOnlyAboveTheChaseLevelAndTurnsDodgerBelowTheLowLevel) {
    struct Case {
        const char* name;
        int yAfterFall;
        std::int32_t x, dodge, speedX, speedY;
    } cases[] = {
        {"above the chase level it chases", 199, 124, 2, 4, 1},
        {"at the chase level it holds course", 200, 120, 2, 4, 2},
        {"at the low level it is still a chaser", 220, 120, 2, 4, 2},
        {"below the low level it dodges wide and fast", 221, 115, 10, 5, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EmptyField();
        FillAllBut(0);
        SetEnemy(0, 120, c.yAfterFall - 2, 2, 4, 2);
        MoveEnemies();
        EXPECT_EQ(EnemyX[0], c.x);
        EXPECT_EQ(EnemyDodge[0], c.dodge);
        EXPECT_EQ(EnemySpeedX[0], c.speedX);
        EXPECT_EQ(EnemySpeedY[0], c.speedY);
    }
}

TEST_F(EnemiesTest, ADodgerSlidesAwayFromTheShipOnlyWithinItsRange) {
    struct Case {
        std::int32_t x, xAfter, speedYAfter;
    } cases[] = {
        {209, 212, 3}, {208, 205, 3}, {239, 242, 3}, {161, 158, 3}, {240, 240, 2}, {160, 160, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.x);
        EmptyField();
        FillAllBut(0);
        SetEnemy(0, c.x, 50, 4, 3, 2);
        MoveEnemies();
        EXPECT_EQ(EnemyX[0], c.xAfter);
        EXPECT_EQ(EnemySpeedY[0], c.speedYAfter);
    }
}

TEST_F(EnemiesTest, TheLeanTiltsOneStepPerFrameAndRelaxesBackToLevel) {
    SetEnemy(0, 20, 10, 1, 1, 1);  // a chaser far left of the ship, stepping right
    std::vector<int> frames;
    for (const Step& s : Run(0, 7)) frames.push_back(s.frame);
    EXPECT_EQ(frames, (std::vector<int>{6, 7, 8, 9, 10, 10, 10}));

    EnemyDodge[0] = 3;  // now a dodger out of range: it stops
    frames.clear();
    for (const Step& s : Run(0, 6)) frames.push_back(s.frame);
    EXPECT_EQ(frames, (std::vector<int>{9, 8, 7, 6, 5, 5}));

    SetEnemy(0, 400, 10, 1, 1, 1, 5);  // stepping left
    frames.clear();
    for (const Step& s : Run(0, 6)) frames.push_back(s.frame);
    EXPECT_EQ(frames, (std::vector<int>{4, 3, 2, 1, 1, 1}));
}

TEST_F(EnemiesTest, ADodgeClampTakesTheStepsLeanBackAChaseClampKeepsIt) {
    struct Case {
        const char* name;
        std::int32_t shipX, x, dodge, frame;
        std::int32_t xAfter, frameAfter;
    } cases[] = {
        {"dodger at the right limit", 400, 448, 10, 7, 450, 6},
        {"chaser at the right limit", 450, 448, 1, 7, 450, 8},
        {"dodger at the left limit", 50, 12, 10, 3, 10, 4},
        {"chaser at the left limit", 1, 12, 1, 3, 10, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EmptyField();
        FillAllBut(0);
        ShipX = c.shipX;
        SetEnemy(0, c.x, 100, c.dodge, 5, 1, c.frame);
        MoveEnemies();
        EXPECT_EQ(EnemyX[0], c.xAfter);
        EXPECT_EQ(EnemyFrame[0], c.frameAfter);
    }
}

}  // namespace
}  // namespace enginetests
