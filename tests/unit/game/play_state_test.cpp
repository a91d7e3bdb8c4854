// The reset routines: what a new game and a wiped field start from.
#include "fakes.h"

#include <cstring>
#include <set>
#include <string>

namespace enginetests {
namespace {

class PlayStateTest : public EngineTest {};

void ExpectEmpty(const Tables& t) {
    const Tables empty{EmptyPlayerShots(), EmptyEnemies(), EmptyEnemyShots(), EmptyExplosions(), EmptyAsteroids()};
    EXPECT_TRUE(t == empty);
}

// The state as the program comes up, taken before the first test changes it.
class ProgramStartState : public ::testing::Environment {
public:
    void SetUp() override {
        if (taken) return;
        variables = PlayState::Now();
        tables = Tables::Now();
        taken = true;
    }
    static inline bool taken = false;
    static inline PlayState variables;
    static inline Tables tables;
};
[[maybe_unused]] ::testing::Environment* const programStart =
    ::testing::AddGlobalTestEnvironment(new ProgramStartState);

TEST(ProgramStart, HasEveryVariableZeroAndEveryTableBuilt) {
    ASSERT_TRUE(ProgramStartState::taken);
    EXPECT_TRUE(ProgramStartState::variables == PlayState{});
    ExpectEmpty(ProgramStartState::tables);
}

TEST_F(PlayStateTest, InitGameLeavesNoVariableAndNoTableOutOfItsReset) {
    // Every variable at a value no reset gives, every table scrambled; a variable added to the
    // list is reset by InitGame or named here as kept across games.
    constexpr std::int16_t Untouched = 77;
    const std::set<std::string> kept = {"GameRunning", "Score", "Lives", "GunSide"};
#define PLAY_STATE_UNTOUCHED(type, name) name = Untouched;
    PLAY_STATE_VARIABLES(PLAY_STATE_UNTOUCHED)
#undef PLAY_STATE_UNTOUCHED
    std::memset(&PlayerShots, 0x5A, sizeof PlayerShots);
    std::memset(&Enemies, 0x5A, sizeof Enemies);
    std::memset(&EnemyShots, 0x5A, sizeof EnemyShots);
    std::memset(&Explosions, 0x5A, sizeof Explosions);
    std::memset(&Asteroids, 0x5A, sizeof Asteroids);

    InitGame();

#define PLAY_STATE_EXPECT_RESET(type, name) \
    EXPECT_EQ(name == Untouched, kept.count(#name) == 1) << #name << (kept.count(#name) ? " reset" : " not reset");
    PLAY_STATE_VARIABLES(PLAY_STATE_EXPECT_RESET)
#undef PLAY_STATE_EXPECT_RESET
    ExpectEmpty(Tables::Now());
}

TEST_F(PlayStateTest, InitGameResetsShipStoresAndTablesAndKeepsScoreLivesGunSide) {
    Score = 1234;
    Lives = 3;
    GameRunning = VbTrue;
    GunSide = 1;
    NewGamePending = 1;
    DeathFrame = 25;
    BonusLives = 2;
    ShipX = 7;
    ShipY = 9;
    ShipFrame = 17;
    ShotSpeed = 3;
    Shields = -1;
    WeaponEnergy = 4;
    TurboThrust = 8;
    LeftThrust = 12;
    RightThrust = 20;
    PlaceShot(9, 50, 60, 4);
    PlaceAsteroid(5, 10, 20, 3, 30);
    PlaceEnemy(3, 30, 40, 4);
    EnemyFrame[3] = 9;
    PlaceEnemyShot(2, 1, 2);
    PlaceExplosion(1, 5, 5, 5);

    InitGame();

    EXPECT_EQ(DeathFrame, 0);
    EXPECT_EQ(BonusLives, 0);
    EXPECT_EQ(ShipX, 200);
    EXPECT_EQ(ShipY, 250);
    EXPECT_EQ(ShipFrame, 1);
    EXPECT_EQ(ShotSpeed, 15);
    EXPECT_EQ(Shields, 100);
    EXPECT_EQ(WeaponEnergy, 100);
    EXPECT_EQ(NewGamePending, 0);
    EXPECT_EQ(TurboThrust, 0);
    EXPECT_EQ(LeftThrust, 0);
    EXPECT_EQ(RightThrust, 0);
    ExpectEmpty(Tables::Now());

    EXPECT_EQ(Score, 1234);
    EXPECT_EQ(Lives, 3);
    EXPECT_EQ(GameRunning, VbTrue);
    EXPECT_EQ(GunSide, 1);
}

TEST_F(PlayStateTest, InitGameReseedsPumpsSetsTheTimerAndOnlyThenClearsTheRequestAndThrusts) {
    GameRunning = VbTrue;
    NewGamePending = 1;
    LeftThrust = 3;
    host.slider = 42;
    int reseedsAtPump = -1;
    host.onPump = [&] { reseedsAtPump = rng.reseeds; };
    std::vector<std::int32_t> atTimer;
    host.onTimer = [&] { atTimer = {NewGamePending, LeftThrust}; };

    InitGame();

    EXPECT_EQ(rng.reseeds, 1);
    EXPECT_EQ(reseedsAtPump, 1);
    EXPECT_EQ(rng.draws, 0);
    EXPECT_EQ(host.log, (std::vector<std::string>{"pump", "timer 42"}));
    EXPECT_EQ(atTimer, (std::vector<std::int32_t>{1, 3}));
    EXPECT_EQ(NewGamePending, 0);
    EXPECT_EQ(LeftThrust, 0);
}

TEST_F(PlayStateTest, InsideThePumpTheStateIsFreshButTheRequestAndTheThrustsAreNotYetCleared) {
    GameRunning = VbTrue;
    NewGamePending = 1;
    TurboThrust = 6;
    LeftThrust = 4;
    RightThrust = 2;
    PlaceAsteroid(0, 100, 100);
    struct Seen {
        std::int32_t pending, turbo, left, right, shipX, shields, weapons;
        bool tablesEmpty;
        std::size_t timerCalls;
    } seen{};
    host.onPump = [&] {
        const Tables empty{EmptyPlayerShots(), EmptyEnemies(), EmptyEnemyShots(), EmptyExplosions(),
                           EmptyAsteroids()};
        seen = {NewGamePending, TurboThrust,  LeftThrust, RightThrust, ShipX, Shields, WeaponEnergy,
                Tables::Now() == empty, host.timerIntervals.size()};
    };

    InitGame();

    EXPECT_EQ(seen.pending, 1);
    EXPECT_EQ(seen.turbo, 6);
    EXPECT_EQ(seen.left, 4);
    EXPECT_EQ(seen.right, 2);
    EXPECT_EQ(seen.shipX, 200);
    EXPECT_EQ(seen.shields, 100);
    EXPECT_EQ(seen.weapons, 100);
    EXPECT_TRUE(seen.tablesEmpty);
    EXPECT_EQ(seen.timerCalls, 0u);
}

TEST_F(PlayStateTest, KeysHandledInThePumpActOnTheFreshStateAndOnlyTheirShotSurvives) {
    NewGame();
    WeaponEnergy = 0;  // what the previous game left: too little to fire
    host.onPump = [] {
        KeyDown(vk::Left);
        KeyDown(vk::Right);
        KeyDown(vk::Up);
        KeyDown(vk::Space);
    };

    InitGame();

    EXPECT_EQ(LeftThrust, 0);
    EXPECT_EQ(RightThrust, 0);
    EXPECT_EQ(TurboThrust, 0);
    // The turbo step and the shot were paid from the fresh store of 100.
    EXPECT_EQ(WeaponEnergy, 100 - 1 - 15);
    EXPECT_EQ(ShotY[0], 260);
    EXPECT_EQ(ShotX[0], 215);
}

TEST_F(PlayStateTest, ResetObjectsEmptiesEveryTableButThePlayerShotsAndLeavesThePlayState) {
    StartPlaying();
    PlaceShot(0, 100, 120, 3);
    PlaceShot(7, 10, 20, 4);
    for (int j = 0; j < 6; ++j) {
        PlaceAsteroid(j, 10 + j, 30, 2, 7);
        PlaceEnemy(j, 40 + j, 50, 3);
        EnemyFrame[j] = 9;
        EnemyDodge[j] = 7;
        PlaceEnemyShot(j, 60 + j, 70);
        PlaceExplosion(j, 80 + j, 90, 4);
    }
    const PlayerShotTable shots = PlayerShots;
    Shields = 33;
    const PlayState state = PlayState::Now();

    ResetObjects();

    EXPECT_TRUE((Tables{shots, EmptyEnemies(), EmptyEnemyShots(), EmptyExplosions(), EmptyAsteroids()} ==
                 Tables::Now()));
    EXPECT_TRUE(PlayState::Now() == state);
    EXPECT_TRUE(host.log.empty());
    EXPECT_EQ(rng.draws, 0);
}

}  // namespace
}  // namespace enginetests
