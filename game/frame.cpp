#include "game/game.h"
#include "game/sprite_store.h"
#include "game/steps.h"

namespace {
bool frameInProgress = false;
}

void Timer1_Timer() {
    // The message pump of InitGame and the game-over box can dispatch ticks; a frame started
    // there would run on half-updated state (and could take Lives below 0), so it is held back.
    if (frameInProgress) return;
    frameInProgress = true;
    GameFrame();
    frameInProgress = false;
}

void ClearBuffer() { frmGFX1().buffer.Clear(); }

void GameFrame() {
    // Start of a game: reset the ship, the stores and every table.
    if (NewGamePending == 1) InitGame();
    // A fresh black picture.
    ClearBuffer();
    // The movers, bottom layer first; each moves, tests and draws its own objects.
    MoveAsteroids();
    UpdateExplosions();
    MoveEnemies();
    MoveEnemyShots();
    MoveShots();
    UpdateShip();
    // Energy, score, gauges and spare ships, drawn over the top of the field.
    UpdateStatus();
    // Death trigger: arms the ship's destruction for the next frame.
    if (Shields < 0 && DeathFrame < 21) DeathFrame = 22;
    // One unscaled copy of the finished picture onto the game screen.
    const platform::BackBuffer& buffer = frmGFX1().buffer;
    Host().BlitToScreen(buffer, buffer.Width(), buffer.Height());
}

void Form_Resize() {
    platform::BackBuffer& buffer = frmGFX1().buffer;
    buffer.SetSize(Host().ScreenWidth(), buffer.Height());
    buffer.SetSize(buffer.Width(), Host().ScreenHeight());
}
