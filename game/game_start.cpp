#include "game/game.h"

void NewGame() {
    Host().SetMenuVisible(false);
    Host().SetMenuEnabled(false);
    Host().SetScreenVisible(true);
    Host().PlaySound(ClickSlot);
    NewGamePending = 1;
    Lives = 5;
    Score = 0;
    GameRunning = VbTrue;
    Host().SetTimerInterval(Host().SliderValue());
}

void EndGame() {
    // Esc or the close box inside the game-over message box may have ended the game already;
    // the ship step's own EndGame must not offer the score a second time.
    if (!GameRunning) return;
    GameRunning = VbFalse;
    Host().SetTimerInterval(0);
    Host().ShowHighScores(Score, ScoreTableTitle, Host().SettingsFilePath(), false);
    Host().SetScreenVisible(false);
    Host().SetMenuEnabled(true);
    Host().SetMenuVisible(true);
}

void AbandonGame() {
    GameRunning = VbFalse;
    Host().SetTimerInterval(0);
}
