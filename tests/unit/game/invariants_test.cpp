// Whole games with random keys: the ranges that every frame must leave intact.
#include <algorithm>
#include <set>

#include "fakes.h"

namespace enginetests {
namespace {

// Which image numbers each list may be asked to draw.
class RangeChecker final : public DrawObserver {
public:
    int badDraws = 0;
    int total = 0;

    void OnDraw(const platform::ImageList& list, int n, int x, int y) override {
        ++total;
        if (!Allowed(list, n)) {
            ++badDraws;
            ADD_FAILURE() << ListName(list) << " image " << n << " drawn at (" << x << ", " << y << ")";
        }
    }

private:
    static bool Allowed(const platform::ImageList& list, int n) {
        SpriteStore& s = frmGFX1();
        if (&list == &s.ship1) return (n >= 1 && n <= 20) || (n >= 23 && n <= 27);
        if (&list == &s.enemy1f) return n >= 1 && n <= 10;
        if (&list == &s.enemy1) return n >= 2 && n <= 6;
        if (&list == &s.Explosion1) return n >= 1 && n <= 4;
        if (&list == &s.asteroid2) return n >= 1 && n <= 30;
        if (&list == &s.weapon1) return (n >= 1 && n <= 4) || n == 7;
        if (&list == &s.misc) return n >= 1 && n <= 4;
        return false;
    }
};

class InvariantsTest : public EngineTest {
protected:
    RangeChecker ranges;

    void SetUp() override {
        EngineTest::SetUp();
        SetDrawObserver(&ranges);
    }

    // Checks every end-of-frame range; returns false at the first breach so a run stops early.
    static bool FrameInvariantsHold(int game, int frame) {
        const auto where = [&] { return testing::Message() << "game " << game << ", frame " << frame; };
        bool ok = true;
        auto check = [&](bool holds, const char* what, std::int32_t value) {
            if (!holds) {
                ADD_FAILURE() << where() << ": " << what << " is " << value;
                ok = false;
            }
        };
        check(Shields >= -1 && Shields <= 100, "Shields", Shields);
        check(WeaponEnergy >= -1 && WeaponEnergy <= 100, "WeaponEnergy", WeaponEnergy);
        check(ShipX >= 1 && ShipX <= 450, "ShipX", ShipX);
        check(ShipY == 250, "ShipY", ShipY);
        check(ShipFrame >= 1 && ShipFrame <= 20, "ShipFrame", ShipFrame);
        check(Lives >= 0 && Lives <= 8, "Lives", Lives);
        check(BonusLives >= 0 && BonusLives <= 3, "BonusLives", BonusLives);
        check(TurboThrust >= 0 && TurboThrust <= 10, "TurboThrust", TurboThrust);
        check(LeftThrust >= 0 && LeftThrust <= 20, "LeftThrust", LeftThrust);
        check(RightThrust >= 0 && RightThrust <= 20, "RightThrust", RightThrust);
        check(DeathFrame == 0 || DeathFrame == 15 || (DeathFrame >= 22 && DeathFrame <= 28), "DeathFrame",
              DeathFrame);
        check(Score >= 0 && Score % 10 == 0, "Score", Score);
        const EnemyTable e = EmptyEnemies();
        const EnemyShotTable es = EmptyEnemyShots();
        const ExplosionTable x = EmptyExplosions();
        for (int j = 6; j < 10; ++j) {
            check(EnemyY[j] == e.Y[j] && EnemyX[j] == e.X[j] && EnemyState[j] == e.State[j] &&
                      EnemyDodge[j] == e.Dodge[j] && EnemySpeedX[j] == e.SpeedX[j] && EnemyFrame[j] == e.Frame[j] &&
                      EnemySpeedY[j] == e.SpeedY[j],
                  "an enemy slot beyond 5", j);
            check(EnemyShotY[j] == es.Y[j] && EnemyShotX[j] == es.X[j], "an enemy-shot slot beyond 5", j);
            check(ExplosionY[j] == x.Y[j] && ExplosionX[j] == x.X[j] && ExplosionFrame[j] == x.Frame[j],
                  "an explosion slot beyond 5", j);
        }
        for (int j = 0; j < 6; ++j) {
            if (InUse(AsteroidY[j])) {
                check(AsteroidY[j] >= 1 && AsteroidY[j] <= 300, "a live asteroid's Y", AsteroidY[j]);
                check(AsteroidX[j] >= 1 && AsteroidX[j] <= 450, "a live asteroid's X", AsteroidX[j]);
                check(AsteroidSpeed[j] >= 1 && AsteroidSpeed[j] <= 10, "a live asteroid's Speed", AsteroidSpeed[j]);
            }
            check(AsteroidFrame[j] >= 1 && AsteroidFrame[j] <= 30, "an asteroid's Frame", AsteroidFrame[j]);
            if (InUse(EnemyY[j])) {
                check(EnemyY[j] >= 1 && EnemyY[j] <= 300, "a live enemy's Y", EnemyY[j]);
                check(EnemyX[j] >= 10 && EnemyX[j] <= 459, "a live enemy's X", EnemyX[j]);
                check(EnemyState[j] >= 1 && EnemyState[j] <= 6, "a live enemy's State", EnemyState[j]);
                check(EnemyDodge[j] >= 1 && EnemyDodge[j] <= 10, "a live enemy's Dodge", EnemyDodge[j]);
                check(EnemySpeedX[j] >= 1 && EnemySpeedX[j] <= 5, "a live enemy's SpeedX", EnemySpeedX[j]);
                check(EnemySpeedY[j] >= 1 && EnemySpeedY[j] <= 3, "a live enemy's SpeedY", EnemySpeedY[j]);
            }
            if (InUse(EnemyShotY[j])) {
                check(EnemyShotY[j] >= 1 && EnemyShotY[j] <= 300, "a live enemy shot's Y", EnemyShotY[j]);
            }
        }
        for (int i = 0; i < 10; ++i) {
            if (InUse(ShotY[i])) check(ShotY[i] >= 1, "a live player shot's Y", ShotY[i]);
            check(ShotFrame[i] >= 1 && ShotFrame[i] <= 4, "a player shot's Frame", ShotFrame[i]);
        }
        return ok;
    }

    // Plays one game from NewGame; each frame is followed by up to two random key events.
    // Stops at game over or after maxFrames; returns the frames played.
    int PlayGame(int game, int maxFrames, std::mt19937& keys) {
        static constexpr std::int16_t Pool[] = {vk::Left, vk::Right, vk::Up, vk::Space, vk::Down, vk::S, vk::W};
        const std::size_t scoresBefore = host.highScores.size();
        NewGame();
        int frame = 0;
        for (; frame < maxFrames; ++frame) {
            Timer1_Timer();
            if (!FrameInvariantsHold(game, frame)) break;
            if (host.timerIntervals.back() == 0) break;  // the game is over: no tick follows
            for (int k = static_cast<int>(keys() % 3); k > 0; --k) {
                const std::int16_t key = Pool[keys() % std::size(Pool)];
                if (keys() % 4 == 0) {
                    KeyUp(key);
                } else {
                    KeyDown(key);
                }
            }
        }
        if (host.timerIntervals.back() != 0) EndGame();
        EXPECT_EQ(host.highScores.size(), scoresBefore + 1) << "game " << game;
        return frame;
    }
};

TEST_F(InvariantsTest, RandomKeysNeverBreakTheRangesOfAnyFrame) {
    SeededRandom generator(20240611);
    SetRandomSource(&generator);
    std::mt19937 keys(7);
    int frames = 0;
    int games = 0;
    while (frames < 15000 && !HasFailure()) frames += PlayGame(games++, 3000, keys);
    SetRandomSource(nullptr);
    EXPECT_EQ(ranges.badDraws, 0);
    EXPECT_GT(ranges.total, frames);  // every frame drew at least the ship and the status bar
}

TEST_F(InvariantsTest, AGameLeftAloneEndsThroughGameOverExactlyOnce) {
    SeededRandom generator(99);
    SetRandomSource(&generator);
    host.ClearRecords();
    NewGame();
    int frame = 0;
    for (; frame < 100000 && GameRunning; ++frame) {
        Timer1_Timer();
        if (!FrameInvariantsHold(0, frame)) break;
    }
    SetRandomSource(nullptr);

    EXPECT_EQ(GameRunning, VbFalse);
    EXPECT_EQ(Lives, 0);
    EXPECT_EQ(host.messages, std::vector<std::string>{"Game Over.  Score: 0"});
    ASSERT_EQ(host.highScores.size(), 1u);
    EXPECT_EQ(host.highScores[0].points, 0);
    EXPECT_EQ(host.timerIntervals.back(), 0);
    EXPECT_EQ(host.blits.size(), static_cast<std::size_t>(frame));
    EXPECT_EQ(ranges.badDraws, 0);
}

}  // namespace
}  // namespace enginetests
