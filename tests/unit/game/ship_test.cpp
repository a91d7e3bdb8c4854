// The ship in flight and the destruction sequence with its respawn and game over.
#include <algorithm>

#include "fakes.h"

namespace enginetests {
namespace {

class ShipTest : public EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        StartPlaying();
    }

    struct Pose {
        std::int32_t x, frame;
        bool operator==(const Pose&) const = default;
    };
    // Runs the ship step n times and returns where it stood and how it was posed after each.
    std::vector<Pose> Fly(int n) {
        std::vector<Pose> out;
        for (int i = 0; i < n; ++i) {
            draws.Clear();
            UpdateShip();
            out.push_back({ShipX, ShipFrame});
            const std::vector<Draw> drawn = draws.Of(Gfx().ship1);
            EXPECT_EQ(drawn, (std::vector<Draw>{{&Gfx().ship1, ShipFrame, ShipX, 250}})) << "call " << i;
        }
        return out;
    }
};

TEST_F(ShipTest, RightHeldFromTheStartClimbsToFourHundredFiftyAndPoseTwenty) {
    RightThrust = 1;
    const std::vector<Pose> flown = Fly(27);
    for (int k = 1; k <= 27; ++k) {
        SCOPED_TRACE(k);
        EXPECT_EQ(flown[k - 1].x, std::min(200 + 10 * k, 450));
        EXPECT_EQ(flown[k - 1].frame, std::min(1 + k, 20));
    }
}

TEST_F(ShipTest, LeftHeldPassesTenAndStopsAtOneWithPoseOne) {
    LeftThrust = 20;
    ShipFrame = 20;
    const std::vector<Pose> flown = Fly(21);
    for (int k = 1; k <= 19; ++k) {
        SCOPED_TRACE(k);
        EXPECT_EQ(flown[k - 1].x, 200 - 10 * k);
        EXPECT_EQ(flown[k - 1].frame, 20 - k);
    }
    EXPECT_EQ(flown[19], (Pose{1, 1}));
    EXPECT_EQ(flown[20], (Pose{1, 1}));
}

TEST_F(ShipTest, StepsFromTheLeftEdgeGoByTensAndStopAtTheRightEdge) {
    ShipX = 1;
    ShipFrame = 10;
    RightThrust = 3;
    EXPECT_EQ(Fly(2), (std::vector<Pose>{{11, 11}, {21, 12}}));

    ShipX = 441;
    EXPECT_EQ(Fly(2), (std::vector<Pose>{{450, 13}, {450, 14}}));
}

TEST_F(ShipTest, WithoutSteeringThePoseReturnsToLevelOneStepPerFrame) {
    ShipFrame = 20;
    ShipX = 300;
    std::vector<Pose> expected;
    for (int f = 19; f >= 10; --f) expected.push_back({300, f});
    expected.push_back({300, 10});
    EXPECT_EQ(Fly(11), expected);

    ShipFrame = 8;
    EXPECT_EQ(Fly(3), (std::vector<Pose>{{300, 9}, {300, 10}, {300, 10}}));
}

TEST_F(ShipTest, BothSteeringKeysHeldKeepPositionAndPose) {
    ShipX = 120;
    ShipFrame = 4;
    LeftThrust = 2;
    RightThrust = 9;
    EXPECT_EQ(Fly(3), (std::vector<Pose>{{120, 4}, {120, 4}, {120, 4}}));

    RightThrust = 0;  // releasing one lets the other act
    EXPECT_EQ(Fly(1), (std::vector<Pose>{{110, 3}}));
}

TEST_F(ShipTest, DestructionShowsTwentyThreeToTwentySevenThenRespawnsWithOneLifeFewer) {
    Lives = 3;
    DeathFrame = 22;
    ShipX = 300;
    ShipFrame = 7;
    Shields = -1;
    WeaponEnergy = 40;
    LeftThrust = 3;
    PlaceShot(4, 100, 100, 2);
    std::vector<int> images;
    std::vector<std::pair<int, int>> places;
    std::vector<std::int32_t> lives;
    for (int call = 0; call < 6; ++call) {
        SCOPED_TRACE(call);
        for (int j = 0; j < 6; ++j) {
            PlaceAsteroid(j, 10, 10);
            PlaceEnemy(j, 20, 20, 3);
            PlaceEnemyShot(j, 30, 30);
            PlaceExplosion(j, 40, 40, 3);
        }
        draws.Clear();

        UpdateShip();

        const std::vector<Draw> drawn = draws.Of(Gfx().ship1);
        ASSERT_EQ(drawn.size(), 1u);
        images.push_back(drawn[0].n);
        places.push_back({drawn[0].x, drawn[0].y});
        lives.push_back(Lives);
        EXPECT_TRUE((Tables{PlayerShots, EmptyEnemies(), EmptyEnemyShots(), EmptyExplosions(), EmptyAsteroids()} ==
                     Tables::Now()));
    }

    EXPECT_EQ(images, (std::vector<int>{23, 24, 25, 26, 27, 15}));
    EXPECT_EQ(places, (std::vector<std::pair<int, int>>{
                          {300, 250}, {300, 250}, {300, 250}, {300, 250}, {300, 250}, {200, 250}}));
    EXPECT_EQ(lives, (std::vector<std::int32_t>{3, 3, 3, 3, 3, 2}));
    EXPECT_EQ(DeathFrame, 15);
    EXPECT_EQ(ShipFrame, 1);
    EXPECT_EQ(ShipY, 250);
    EXPECT_EQ(Shields, 100);
    EXPECT_EQ(WeaponEnergy, 100);
    EXPECT_EQ(ShotY[4], 100);  // the player's shots are never wiped
    EXPECT_EQ(ShotFrame[4], 2);
    EXPECT_TRUE(host.messages.empty());
    EXPECT_TRUE(host.highScores.empty());

    // The held key steers again from the first frame after the respawn.
    EXPECT_EQ(LeftThrust, 3);
    EXPECT_EQ(Fly(1), (std::vector<Pose>{{190, 1}}));
}

TEST_F(ShipTest, TheDestructionTimelineOverWholeFrames) {
    rng.FillWith(NoSpawn);
    Lives = 3;
    ShipX = 300;
    ShipFrame = 10;
    PlaceShot(0, 100, 280);
    struct Seen {
        int shipImage, shipX, icons;
        std::int32_t lives;
    };
    std::vector<Seen> seen;
    for (int frame = 0; frame <= 7; ++frame) {  // N to N+7
        if (frame == 0) {
            Shields = -50;
            WeaponEnergy = 50;
        }
        if (frame == 1) PlaceAsteroid(3, 50, 100);
        draws.Clear();
        Timer1_Timer();
        const std::vector<Draw> ship = draws.Of(Gfx().ship1);
        int icons = 0;
        for (const Draw& d : draws.Of(Gfx().misc)) icons += d.n == 2;
        EXPECT_EQ(ship.size(), 1u) << "frame N+" << frame;
        seen.push_back({ship.empty() ? 0 : ship[0].n, ship.empty() ? 0 : ship[0].x, icons, Lives});
        if (frame == 0) {
            EXPECT_EQ(DeathFrame, 22);
        }
        if (frame == 1) {
            EXPECT_EQ(draws.Of(Gfx().asteroid2).size(), 1u) << "what the movers drew stays in the picture";
            EXPECT_EQ(AsteroidY[3], FreeSlot);
        }
    }
    const int expectedImage[] = {10, 23, 24, 25, 26, 27, 15, 2};
    const int expectedX[] = {300, 300, 300, 300, 300, 300, 200, 200};
    const int expectedIcons[] = {2, 2, 2, 2, 2, 2, 1, 1};
    const std::int32_t expectedLives[] = {3, 3, 3, 3, 3, 3, 2, 2};
    for (int f = 0; f <= 7; ++f) {
        SCOPED_TRACE(f);
        EXPECT_EQ(seen[f].shipImage, expectedImage[f]);
        EXPECT_EQ(seen[f].shipX, expectedX[f]);
        EXPECT_EQ(seen[f].icons, expectedIcons[f]);
        EXPECT_EQ(seen[f].lives, expectedLives[f]);
    }
    EXPECT_EQ(ShotY[0], 280 - 8 * 15);  // flew on through the whole sequence
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(ShipTest, TheGameOverMessageCarriesTheScoreInPlainDecimal) {
    struct Case {
        std::int32_t score;
        const char* text;
    } cases[] = {
        {0, "Game Over.  Score: 0"},
        {12340, "Game Over.  Score: 12340"},
        {1234567, "Game Over.  Score: 1234567"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.score);
        GameRunning = VbTrue;
        Lives = 1;
        DeathFrame = 27;
        Score = c.score;
        Forget();

        UpdateShip();

        EXPECT_EQ(host.messages, std::vector<std::string>{c.text});
        ASSERT_EQ(host.highScores.size(), 1u);
        EXPECT_EQ(host.highScores[0].points, c.score);
        EXPECT_EQ(Lives, 0);
    }
}

TEST_F(ShipTest, GameOverShowsTheMessageThenEndsTheGameThenFinishesTheFrame) {
    rng.FillWith(NoSpawn);
    Lives = 1;
    DeathFrame = 27;
    Score = 800;
    Shields = 40;
    draws.log = &host.log;

    Timer1_Timer();

    std::vector<std::string> order;
    for (const std::string& e : host.log) {
        if (e.rfind("draw misc", 0) == 0 || e.rfind("draw asteroid2", 0) == 0) continue;
        order.push_back(e);
    }
    EXPECT_EQ(order, (std::vector<std::string>{"message Game Over.  Score: 800", "timer 0", "highscores 800",
                                               "screen visible 0", "menu enabled 1", "menu visible 1",
                                               "draw ship1 15 200 250", "blit 484x300"}));
    // The status bar still runs after the game has ended, and the respawned shields arm nothing.
    EXPECT_FALSE(draws.Of(Gfx().misc).empty());
    EXPECT_EQ(DeathFrame, 15);
    EXPECT_EQ(Shields, 100);
    EXPECT_EQ(GameRunning, VbFalse);
    EXPECT_EQ(host.highScores.size(), 1u);
}

TEST_F(ShipTest, ARespawnWithLivesLeftShowsNoMessage) {
    Lives = 2;
    DeathFrame = 27;
    UpdateShip();
    EXPECT_EQ(Lives, 1);
    EXPECT_TRUE(host.log.empty());
    EXPECT_EQ(GameRunning, VbTrue);
}

}  // namespace
}  // namespace enginetests
