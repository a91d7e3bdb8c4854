// The enemy ships' shots: fall, the ship box, and what they destroy on the way.
#include "fakes.h"

namespace enginetests {
namespace {

class EnemyShotsTest : public EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        StartPlaying();
    }
    // A shot that stands at (x, y) after this pass's fall without turbo thrust.
    static void ShotAfterFall(int i, int x, int y) { PlaceEnemyShot(i, x, y - 10); }
};

TEST_F(EnemyShotsTest, TheShipBoxAtItsEdgesCostsNinetyShields) {
    struct Case {
        int x, y;
        bool hit;
    } cases[] = {
        {199, 249, true},  {223, 273, true},  {211, 260, true},  {198, 260, false},
        {224, 260, false}, {211, 248, false}, {211, 274, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "shot at (" << c.x << ", " << c.y << ")");
        EmptyField();
        Forget();
        Shields = 100;
        ShotAfterFall(3, c.x, c.y);
        MoveEnemyShots();
        EXPECT_EQ(Shields, c.hit ? 10 : 100);
        EXPECT_EQ(EnemyShotY[3], c.hit ? FreeSlot : c.y);
        EXPECT_EQ(draws.draws.size(), c.hit ? 0u : 1u);
        EXPECT_TRUE(host.sounds.empty());
    }
}

TEST_F(EnemyShotsTest, AHitOnTheShipMayDriveTheShieldsNegativeAndDestroysNothingElse) {
    Shields = 10;
    ShotAfterFall(0, 210, 260);
    PlaceAsteroid(0, 208, 255);  // would be in band and window
    MoveEnemyShots();
    EXPECT_EQ(Shields, -80);
    EXPECT_EQ(AsteroidY[0], 255);
    EXPECT_EQ(ExplosionY[0], FreeSlot);
    EXPECT_TRUE(host.sounds.empty());
}

TEST_F(EnemyShotsTest, AShotFallsTenPlusTurboAndLeavesBelowThreeHundredUndrawn) {
    struct Case {
        std::int32_t turbo;
        int y;
        bool drawn;
        int yAfter;
    } cases[] = {{0, 100, true, 110}, {10, 100, true, 120}, {0, 290, true, 300}, {0, 291, false, FreeSlot},
                 {5, 286, false, FreeSlot}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "turbo " << c.turbo << ", Y " << c.y);
        EmptyField();
        Forget();
        TurboThrust = c.turbo;
        PlaceEnemyShot(1, 40, c.y);
        MoveEnemyShots();
        EXPECT_EQ(EnemyShotY[1], c.yAfter);
        const std::vector<Draw> expected =
            c.drawn ? std::vector<Draw>{{&Gfx().weapon1, 7, 40, c.yAfter}} : std::vector<Draw>{};
        EXPECT_EQ(draws.draws, expected);
    }
}

enum class Target { Asteroid, Enemy };

TEST_F(EnemyShotsTest, HitBandsAndWindowsAtTheirEdges) {
    struct Case {
        Target target;
        int y, x;
        bool hit;
    } cases[] = {
        {Target::Asteroid, 50, 97, true}, {Target::Asteroid, 66, 113, true}, {Target::Asteroid, 49, 100, false},
        {Target::Asteroid, 67, 100, false}, {Target::Asteroid, 50, 96, false}, {Target::Asteroid, 50, 114, false},
        {Target::Enemy, 50, 97, true},    {Target::Enemy, 66, 113, true},    {Target::Enemy, 49, 100, false},
        {Target::Enemy, 67, 100, false},  {Target::Enemy, 50, 96, false},    {Target::Enemy, 50, 114, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << (c.target == Target::Asteroid ? "asteroid" : "enemy")
                                        << " with the shot at (" << c.x << ", " << c.y << ")");
        EmptyField();
        Forget();
        Score = 0;
        if (c.target == Target::Asteroid) {
            PlaceAsteroid(4, 100, 50, 2, 8);
            ExplosionFrame[4] = 2;
        } else {
            PlaceEnemy(4, 100, 50);
        }
        ShotAfterFall(1, c.x, c.y);
        Tables expected = Tables::Now();
        expected.enemyShots.Y[1] = c.y;

        MoveEnemyShots();

        EXPECT_EQ(draws.draws, (std::vector<Draw>{{&Gfx().weapon1, 7, c.x, c.y}}));
        EXPECT_EQ(Score, 0);
        if (!c.hit) {
            EXPECT_TRUE(Tables::Now() == expected);
            EXPECT_TRUE(host.sounds.empty());
            continue;
        }
        expected.enemyShots.Y[1] = FreeSlot;
        if (c.target == Target::Asteroid) {
            expected.asteroids.Y[4] = FreeSlot;
            expected.asteroids.Frame[4] = 1;
            expected.explosions.Y[4] = 50;
            expected.explosions.X[4] = 100;
            EXPECT_EQ(host.sounds, std::vector<int>{AsteroidHitSlot});
        } else {
            expected.enemies.State[4] = 2;
            EXPECT_EQ(host.sounds, std::vector<int>{EnemyHitSlot});
        }
        EXPECT_TRUE(Tables::Now() == expected);
    }
}

TEST_F(EnemyShotsTest, AnEnemyBreakingUpLetsTheShotPass) {
    for (std::int32_t state = 2; state <= 6; ++state) {
        SCOPED_TRACE(state);
        EmptyField();
        Forget();
        PlaceEnemy(0, 100, 50, state);
        ShotAfterFall(2, 100, 55);
        MoveEnemyShots();
        EXPECT_EQ(EnemyShotY[2], 55);
        EXPECT_EQ(EnemyState[0], state);
        EXPECT_TRUE(host.sounds.empty());
    }
}

TEST_F(EnemyShotsTest, AnAsteroidBandBlocksTheEnemyOfItsSlotEvenWhenItsWindowMisses) {
    ShotAfterFall(0, 100, 55);
    PlaceAsteroid(4, 200, 50);
    PlaceEnemy(4, 100, 50);
    PlaceEnemy(5, 102, 52);

    MoveEnemyShots();

    EXPECT_EQ(EnemyState[4], 1);
    EXPECT_EQ(AsteroidY[4], 50);
    EXPECT_EQ(EnemyState[5], 2);
    EXPECT_EQ(EnemyShotY[0], FreeSlot);
}

TEST_F(EnemyShotsTest, ALaterShotFindsWhatAnEarlierOneDestroyedAlreadyGone) {
    ShotAfterFall(0, 100, 55);
    ShotAfterFall(1, 100, 55);
    PlaceAsteroid(2, 100, 50);
    ShotAfterFall(2, 300, 105);
    ShotAfterFall(3, 300, 105);
    PlaceEnemy(3, 300, 100);

    MoveEnemyShots();

    EXPECT_EQ(EnemyShotY[0], FreeSlot);
    EXPECT_EQ(EnemyShotY[1], 55);
    EXPECT_EQ(EnemyShotY[2], FreeSlot);
    EXPECT_EQ(EnemyShotY[3], 105);
    EXPECT_EQ(EnemyState[3], 2);
    EXPECT_EQ(host.sounds, (std::vector<int>{AsteroidHitSlot, EnemyHitSlot}));
    EXPECT_EQ(Score, 0);
}

TEST_F(EnemyShotsTest, SlotsBeyondFiveAreNeverMovedAndTargetsBeyondFiveNeverHit) {
    PlaceEnemyShot(7, 100, 100);
    ShotAfterFall(0, 100, 55);
    PlaceEnemy(8, 100, 50);
    const Tables before = Tables::Now();

    MoveEnemyShots();

    Tables expected = before;
    expected.enemyShots.Y[0] = 55;
    EXPECT_TRUE(Tables::Now() == expected);
    EXPECT_EQ(draws.draws, (std::vector<Draw>{{&Gfx().weapon1, 7, 100, 55}}));
}

TEST_F(EnemyShotsTest, WithNoShotInFlightThePassDoesNothing) {
    PlaceAsteroid(0, 100, 50);
    PlaceEnemy(1, 100, 50);
    const Tables before = Tables::Now();
    const std::int32_t shields = Shields;
    MoveEnemyShots();
    EXPECT_TRUE(Tables::Now() == before);
    EXPECT_EQ(Shields, shields);
    EXPECT_TRUE(draws.draws.empty());
    EXPECT_TRUE(host.log.empty());
}

}  // namespace
}  // namespace enginetests
