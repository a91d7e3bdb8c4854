// Switching between the menu and the game, and what may run inside a frame that waits.
#include <algorithm>

#include "fakes.h"

namespace enginetests {
namespace {

class GameStartEndTest : public EngineTest {
protected:
    // Index of the first log entry equal to text, or -1.
    int At(const std::string& text) const {
        const auto it = std::find(host.log.begin(), host.log.end(), text);
        return it == host.log.end() ? -1 : static_cast<int>(it - host.log.begin());
    }
};

TEST_F(GameStartEndTest, NewGameShowsTheGameFacePlaysOneClickAndStartsTheTimerLast) {
    host.slider = 37;
    Score = 990;
    Lives = 0;
    std::vector<std::int32_t> stateAtTimer;
    host.onTimer = [&] { stateAtTimer = {GameRunning, NewGamePending, Lives, Score}; };

    NewGame();

    EXPECT_EQ(host.log, (std::vector<std::string>{"menu visible 0", "menu enabled 0", "screen visible 1", "sound 7",
                                                  "timer 37"}));
    EXPECT_EQ(stateAtTimer, (std::vector<std::int32_t>{VbTrue, 1, 5, 0}));
    EXPECT_EQ(GameRunning, VbTrue);
    EXPECT_EQ(NewGamePending, 1);
    EXPECT_EQ(Lives, 5);
    EXPECT_EQ(Score, 0);
    EXPECT_EQ(rng.reseeds, 0);  // the reset itself waits for the first frame
}

TEST_F(GameStartEndTest, EndGameStopsTheTimerBeforeTheHighScoresThenShowsTheMenu) {
    StartPlaying();
    Score = 4321;
    Lives = 2;
    PlaceAsteroid(1, 50, 60);
    const Tables tables = Tables::Now();
    std::int16_t runningAtHighScores = VbTrue;
    host.onShowHighScores = [&] { runningAtHighScores = GameRunning; };

    EndGame();

    EXPECT_EQ(host.log, (std::vector<std::string>{"timer 0", "highscores 4321", "screen visible 0", "menu enabled 1",
                                                  "menu visible 1"}));
    EXPECT_EQ(runningAtHighScores, VbFalse);
    ASSERT_EQ(host.highScores.size(), 1u);
    EXPECT_EQ(host.highScores[0].points, 4321);
    EXPECT_EQ(host.highScores[0].title, "VR-717 'Void Raider'");
    EXPECT_EQ(host.highScores[0].iniFile, host.settingsPath);
    EXPECT_FALSE(host.highScores[0].showTableOnly);
    EXPECT_TRUE(host.sounds.empty());
    EXPECT_EQ(GameRunning, VbFalse);
    EXPECT_EQ(Score, 4321);
    EXPECT_EQ(Lives, 2);
    EXPECT_TRUE(Tables::Now() == tables);
}

TEST_F(GameStartEndTest, EscBeforeTheFirstFrameEndsTheGameWithScoreZeroAndTheRequestStillRaised) {
    NewGame();
    Forget();

    KeyDown(vk::Escape);

    ASSERT_EQ(host.highScores.size(), 1u);
    EXPECT_EQ(host.highScores[0].points, 0);
    EXPECT_EQ(NewGamePending, 1);
    EXPECT_EQ(GameRunning, VbFalse);
    EXPECT_EQ(host.timerIntervals, (std::vector<std::int32_t>{0}));
}

TEST_F(GameStartEndTest, EscDuringPlayEndsTheGameOnce) {
    StartPlaying();

    KeyDown(vk::Escape);
    KeyDown(vk::Escape);  // no game runs any more

    EXPECT_EQ(host.highScores.size(), 1u);
    EXPECT_EQ(GameRunning, VbFalse);
}

TEST_F(GameStartEndTest, TheSecondGameStartsWithScoreZeroFiveLivesAndAFreshReset) {
    rng.FillWith(NoSpawn);
    NewGame();
    Timer1_Timer();
    Score = 700;
    Lives = 2;
    BonusLives = 1;
    ShipX = 30;
    PlaceAsteroid(2, 100, 100, 4);
    EndGame();

    NewGame();
    EXPECT_EQ(Score, 0);
    EXPECT_EQ(Lives, 5);
    Timer1_Timer();

    EXPECT_EQ(NewGamePending, 0);
    EXPECT_EQ(BonusLives, 0);
    EXPECT_EQ(ShipX, 200);
    EXPECT_EQ(AsteroidY[2], FreeSlot);
    EXPECT_EQ(rng.reseeds, 2);
}

TEST_F(GameStartEndTest, GunSideCarriesOverIntoTheNextGame) {
    rng.FillWith(NoSpawn);
    NewGame();
    Timer1_Timer();
    KeyDown(vk::Space);  // the first shot of the program: gun at +15, GunSide becomes 1
    EndGame();
    NewGame();
    Timer1_Timer();
    Forget();

    KeyDown(vk::Space);

    EXPECT_EQ(host.sounds, (std::vector<int>{LeftGunSlot}));
    EXPECT_EQ(ShotX[0], 208);
    EXPECT_EQ(GunSide, 0);
}

TEST_F(GameStartEndTest, AFireKeyBeforeTheFirstFrameOfTheProgramIsHarmless) {
    NewGame();
    Forget();

    // Program start left every store at 0: nothing can be fired yet, and nothing fails.
    KeyDown(vk::Space);
    KeyDown(vk::Down);

    EXPECT_TRUE(host.sounds.empty());
    EXPECT_EQ(WeaponEnergy, 0);
    EXPECT_EQ(ShotY[0], FreeSlot);
}

TEST_F(GameStartEndTest, AShotFiredBeforeTheFirstFrameGoesIntoTheBuiltTableAndTheResetRemovesIt) {
    NewGame();
    WeaponEnergy = 50;
    ShipX = 100;
    ShipY = 250;

    KeyDown(vk::Space);
    ASSERT_EQ(ShotY[0], 260);
    EXPECT_EQ(ShotX[0], 115);

    rng.FillWith(NoSpawn);
    Timer1_Timer();
    EXPECT_EQ(ShotY[0], FreeSlot);
}

TEST_F(GameStartEndTest, ATickInsideTheResetPumpStartsNoNestedFrame) {
    rng.FillWith(NoSpawn);
    NewGame();
    Forget();
    std::size_t blitsInsidePump = 99;
    int pumpsInsidePump = 0;
    bool ticked = false;
    host.onPump = [&] {
        if (ticked) return;  // a nested reset would pump again; that must not recurse here
        ticked = true;
        Timer1_Timer();
        blitsInsidePump = host.blits.size();
        pumpsInsidePump = host.pumps;
    };

    Timer1_Timer();

    EXPECT_EQ(blitsInsidePump, 0u);
    EXPECT_EQ(pumpsInsidePump, 1);
    EXPECT_EQ(host.pumps, 1);
    EXPECT_EQ(rng.reseeds, 1);
    EXPECT_GE(host.blits.size(), 1u);
    EXPECT_EQ(NewGamePending, 0);
}

TEST_F(GameStartEndTest, EscInsideTheResetPumpLeavesTheTimerStopped) {
    rng.FillWith(NoSpawn);
    NewGame();
    Forget();
    host.onPump = [] { KeyDown(vk::Escape); };

    Timer1_Timer();

    ASSERT_FALSE(host.timerIntervals.empty());
    EXPECT_EQ(host.timerIntervals.back(), 0);
    EXPECT_EQ(host.highScores.size(), 1u);
    EXPECT_EQ(GameRunning, VbFalse);
    EXPECT_EQ(NewGamePending, 0);
}

TEST_F(GameStartEndTest, ClosingTheWindowInsideTheResetPumpLeavesTheTimerStopped) {
    rng.FillWith(NoSpawn);
    NewGame();
    Forget();
    host.onPump = [] { EndGame(); };  // what the close handler does during a game

    Timer1_Timer();

    EXPECT_EQ(host.timerIntervals, (std::vector<std::int32_t>{0}));
    EXPECT_EQ(host.highScores.size(), 1u);
}

TEST_F(GameStartEndTest, ATickInsideTheGameOverMessageStartsNoNestedFrame) {
    StartPlaying();
    rng.FillWith(NoSpawn);
    Lives = 1;
    DeathFrame = 27;  // this frame ends the destruction: respawn, no life left
    std::size_t blitsInsideBox = 99;
    int drawsInsideBox = -1;
    std::int32_t livesInsideBox = -1;
    host.onMessageBox = [&] {
        const std::size_t before = draws.draws.size();
        Timer1_Timer();
        KeyDown(vk::Left);  // keys still act: the game runs until EndGame
        blitsInsideBox = host.blits.size();
        drawsInsideBox = static_cast<int>(draws.draws.size() - before);
        livesInsideBox = Lives;
    };

    Timer1_Timer();

    EXPECT_EQ(blitsInsideBox, 0u);
    EXPECT_EQ(drawsInsideBox, 0);
    EXPECT_EQ(livesInsideBox, 0);
    EXPECT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.highScores.size(), 1u);
    EXPECT_EQ(host.blits.size(), 1u);
    EXPECT_EQ(LeftThrust, 1);
}

TEST_F(GameStartEndTest, EscInsideTheGameOverMessageOffersTheScoreOnlyOnce) {
    StartPlaying();
    rng.FillWith(NoSpawn);
    Lives = 1;
    Score = 700;
    DeathFrame = 27;
    host.onMessageBox = [&] { KeyDown(vk::Escape); };

    Timer1_Timer();

    ASSERT_EQ(host.highScores.size(), 1u);
    EXPECT_EQ(host.highScores[0].points, 700);
    EXPECT_EQ(std::count(host.log.begin(), host.log.end(), "menu visible 1"), 1);
    EXPECT_EQ(GameRunning, VbFalse);
}

TEST_F(GameStartEndTest, KeyDownDoesNothingWhileNoGameRuns) {
    StartPlaying();
    EndGame();
    WeaponEnergy = 50;
    Shields = 50;
    Forget();
    const PlayState state = PlayState::Now();
    const Tables tables = Tables::Now();

    for (std::int16_t key : {vk::Escape, vk::Left, vk::Right, vk::Up, vk::Down, vk::Space, vk::S, vk::W}) {
        KeyDown(key);
    }

    EXPECT_TRUE(PlayState::Now() == state);
    EXPECT_TRUE(Tables::Now() == tables);
    EXPECT_TRUE(host.log.empty());
}

// The death tests run in a child process, so the host stays set here.
using HostSeamDeathTest = EngineTest;

TEST_F(HostSeamDeathTest, AnEngineDrivenWithoutAHostAbortsNamingTheSeam) {
    EXPECT_DEATH(
        {
            SetGameHost(nullptr);
            NewGame();
        },
        "game engine's host \\(SetGameHost\\) used before it was set");
}

}  // namespace
}  // namespace enginetests
