// The player's shots: climb, animation, and what they hit.
#include "fakes.h"

namespace enginetests {
namespace {

class PlayerShotsTest : public EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        StartPlaying();
    }
    // A shot that stands at (x, y) after this pass's climb without turbo thrust.
    static void ShotAfterClimb(int i, int x, int y, int frame = 1) { PlaceShot(i, x, y + 15, frame); }
};

TEST_F(PlayerShotsTest, AShotClimbsFromTheShipAndLeavesAtTheTopUndrawn) {
    struct Case {
        std::int32_t turbo;
        int firstY, step, drawnFrames;
    } cases[] = {{0, 245, 15, 17}, {10, 255, 5, 51}, {4, 249, 11, 23}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.turbo);
        Forget();
        TurboThrust = c.turbo;
        PlaceShot(0, 215, 260);
        std::vector<int> ys;
        for (int pass = 0; pass < c.drawnFrames + 1; ++pass) {
            draws.Clear();
            MoveShots();
            for (const Draw& d : draws.Of(Gfx().weapon1)) ys.push_back(d.y);
        }
        std::vector<int> expected;
        for (int k = 0; k < c.drawnFrames; ++k) expected.push_back(c.firstY - k * c.step);
        EXPECT_EQ(ys, expected);
        EXPECT_EQ(ShotY[0], FreeSlot);
        EXPECT_EQ(ShotFrame[0], 1);
        EXPECT_EQ(ShotX[0], 215);
    }
}

TEST_F(PlayerShotsTest, AShotAtOneIsStillDrawnAndAtZeroItLeaves) {
    PlaceShot(0, 50, 16, 3);
    PlaceShot(1, 60, 15, 4);
    MoveShots();
    EXPECT_EQ(draws.draws, (std::vector<Draw>{{&Gfx().weapon1, 3, 50, 1}}));
    EXPECT_EQ(ShotY[0], 1);
    EXPECT_EQ(ShotY[1], FreeSlot);
    EXPECT_EQ(ShotFrame[1], 1);
}

TEST_F(PlayerShotsTest, TheImagesRunOneTwoThreeFourThenThreeAndFourInTurn) {
    PlaceShot(0, 100, 260);
    std::vector<int> images;
    for (int pass = 0; pass < 9; ++pass) {
        draws.Clear();
        MoveShots();
        images.push_back(draws.draws.at(0).n);
    }
    EXPECT_EQ(images, (std::vector<int>{1, 2, 3, 4, 3, 4, 3, 4, 3}));
}

enum class Target { Asteroid, Enemy, EnemyShot };

struct WindowCase {
    Target target;
    int y, x;
    bool hit;
};

TEST_F(PlayerShotsTest, HitBandsAndWindowsAtTheirEdges) {
    // Every target at (100, 50), in slot 2.
    const WindowCase cases[] = {
        {Target::Asteroid, 50, 97, true},   {Target::Asteroid, 66, 113, true},  {Target::Asteroid, 49, 100, false},
        {Target::Asteroid, 67, 100, false}, {Target::Asteroid, 50, 96, false},  {Target::Asteroid, 50, 114, false},
        {Target::Enemy, 44, 97, true},      {Target::Enemy, 66, 105, true},     {Target::Enemy, 43, 100, false},
        {Target::Enemy, 67, 100, false},    {Target::Enemy, 50, 96, false},     {Target::Enemy, 50, 106, false},
        {Target::EnemyShot, 44, 97, true},  {Target::EnemyShot, 56, 113, true}, {Target::EnemyShot, 43, 100, false},
        {Target::EnemyShot, 57, 100, false}, {Target::EnemyShot, 50, 96, false}, {Target::EnemyShot, 50, 114, false},
    };
    const char* names[] = {"asteroid", "enemy", "enemy shot"};
    for (const WindowCase& c : cases) {
        SCOPED_TRACE(testing::Message() << names[static_cast<int>(c.target)] << " with the shot at (" << c.x << ", "
                                        << c.y << ")");
        EmptyField();
        Forget();
        Score = 0;
        switch (c.target) {
            case Target::Asteroid:
                PlaceAsteroid(2, 100, 50, 4, 9);
                ExplosionFrame[2] = 3;
                break;
            case Target::Enemy: PlaceEnemy(2, 100, 50); break;
            case Target::EnemyShot: PlaceEnemyShot(2, 100, 50); break;
        }
        ShotAfterClimb(0, c.x, c.y, 3);
        Tables expected = Tables::Now();
        expected.shots.Y[0] = c.y;
        expected.shots.Frame[0] = 4;

        MoveShots();

        EXPECT_EQ(draws.draws, (std::vector<Draw>{{&Gfx().weapon1, 3, c.x, c.y}}));
        if (!c.hit) {
            EXPECT_TRUE(Tables::Now() == expected);
            EXPECT_EQ(Score, 0);
            EXPECT_TRUE(host.sounds.empty());
            continue;
        }
        expected.shots.Y[0] = FreeSlot;
        expected.shots.Frame[0] = 1;
        switch (c.target) {
            case Target::Asteroid:
                expected.asteroids.Y[2] = FreeSlot;
                expected.asteroids.Frame[2] = 1;
                expected.explosions.Y[2] = 50;
                expected.explosions.X[2] = 100;
                EXPECT_EQ(Score, 0);
                EXPECT_EQ(host.sounds, std::vector<int>{AsteroidHitSlot});
                break;
            case Target::Enemy:
                expected.enemies.State[2] = 2;
                EXPECT_EQ(Score, 100);
                EXPECT_EQ(host.sounds, std::vector<int>{EnemyHitSlot});
                break;
            case Target::EnemyShot:
                expected.enemyShots.Y[2] = FreeSlot;
                EXPECT_EQ(Score, 10);
                EXPECT_TRUE(host.sounds.empty());
                break;
        }
        EXPECT_TRUE(Tables::Now() == expected);
    }
}

TEST_F(PlayerShotsTest, AnEnemyBreakingUpLetsTheShotPass) {
    for (std::int32_t state = 2; state <= 6; ++state) {
        SCOPED_TRACE(state);
        EmptyField();
        Forget();
        Score = 0;
        PlaceEnemy(1, 100, 50, state);
        ShotAfterClimb(0, 100, 50);
        MoveShots();
        EXPECT_EQ(ShotY[0], 50);
        EXPECT_EQ(EnemyState[1], state);
        EXPECT_EQ(Score, 0);
        EXPECT_TRUE(host.sounds.empty());
    }
}

TEST_F(PlayerShotsTest, AnAsteroidBandBlocksTheOtherTargetsOfItsSlotEvenWhenItsWindowMisses) {
    ShotAfterClimb(0, 100, 50);
    PlaceAsteroid(2, 200, 45);     // band 45 to 61 holds the shot, window misses it
    PlaceEnemy(2, 100, 50);        // would be hit
    PlaceEnemyShot(2, 100, 50);    // would be hit
    PlaceEnemyShot(3, 100, 48);    // the next slot still can be

    MoveShots();

    EXPECT_EQ(AsteroidY[2], 45);
    EXPECT_EQ(EnemyState[2], 1);
    EXPECT_EQ(EnemyShotY[2], 50);
    EXPECT_EQ(EnemyShotY[3], FreeSlot);
    EXPECT_EQ(Score, 10);
    EXPECT_EQ(ShotY[0], FreeSlot);
}

TEST_F(PlayerShotsTest, AnEnemyBandBlocksTheEnemyShotOfItsSlotEvenWhileItBreaksUp) {
    ShotAfterClimb(0, 100, 50);
    ShotAfterClimb(1, 100, 50);
    PlaceEnemy(2, 100, 50);
    PlaceEnemyShot(2, 100, 50);
    PlaceEnemyShot(4, 100, 52);

    MoveShots();

    // Shot 0 hits enemy 2. Shot 1 finds it breaking up: its band still shields enemy shot 2.
    EXPECT_EQ(EnemyState[2], 2);
    EXPECT_EQ(EnemyShotY[2], 50);
    EXPECT_EQ(EnemyShotY[4], FreeSlot);
    EXPECT_EQ(Score, 110);
    EXPECT_EQ(host.sounds, std::vector<int>{EnemyHitSlot});
    EXPECT_EQ(ShotY[0], FreeSlot);
    EXPECT_EQ(ShotY[1], FreeSlot);
}

TEST_F(PlayerShotsTest, AShotHitsOnlyTheFirstTargetInSlotOrder) {
    ShotAfterClimb(0, 100, 50);
    PlaceEnemyShot(0, 100, 50);
    PlaceAsteroid(1, 100, 50);
    PlaceEnemy(3, 100, 50);

    MoveShots();

    EXPECT_EQ(EnemyShotY[0], FreeSlot);
    EXPECT_EQ(AsteroidY[1], 50);
    EXPECT_EQ(EnemyState[3], 1);
    EXPECT_EQ(Score, 10);
    EXPECT_TRUE(host.sounds.empty());
}

TEST_F(PlayerShotsTest, ALaterShotFindsWhatAnEarlierOneDestroyedAlreadyGone) {
    ShotAfterClimb(0, 100, 50);
    ShotAfterClimb(1, 102, 52);
    PlaceAsteroid(0, 100, 50);
    ShotAfterClimb(2, 300, 100);
    ShotAfterClimb(3, 300, 100);
    PlaceEnemy(4, 300, 100);

    MoveShots();

    EXPECT_EQ(ShotY[0], FreeSlot);
    EXPECT_EQ(ShotY[1], 52);  // not used up by the asteroid shot 0 destroyed
    EXPECT_EQ(ShotY[2], FreeSlot);
    EXPECT_EQ(ShotY[3], 100);  // the enemy already breaks up
    EXPECT_EQ(Score, 100);
    EXPECT_EQ(host.sounds, (std::vector<int>{AsteroidHitSlot, EnemyHitSlot}));
}

TEST_F(PlayerShotsTest, TargetsBeyondSlotFiveAreNeverHit) {
    ShotAfterClimb(0, 100, 50);
    for (int j = 6; j < 10; ++j) {
        PlaceEnemy(j, 100, 50);
        PlaceEnemyShot(j, 100, 50);
    }
    const Tables before = Tables::Now();

    MoveShots();

    Tables expected = before;
    expected.shots.Y[0] = 50;
    expected.shots.Frame[0] = 2;
    EXPECT_TRUE(Tables::Now() == expected);
    EXPECT_EQ(Score, 0);
}

TEST_F(PlayerShotsTest, WithNoShotInFlightThePassDoesNothing) {
    PlaceAsteroid(0, 100, 50);
    PlaceEnemy(1, 100, 50);
    const Tables before = Tables::Now();
    MoveShots();
    EXPECT_TRUE(Tables::Now() == before);
    EXPECT_TRUE(draws.draws.empty());
    EXPECT_TRUE(host.log.empty());
}

}  // namespace
}  // namespace enginetests
