// The game engine as the main window sees it: start and end a game, its key and timer
// handlers. The outside reaches the engine only through its public headers: this one with the
// play state, host.h (the seam), sprite_store.h (frmGFX1) and random.h (the generator the
// demo and the tests replace); steps.h, targets.h, field.h and chance.h are the engine's own.
// The engine reaches the outside only through GameHost.
#pragma once

#include <cstdint>

#include "game/host.h"
#include "game/play_state.h"

// The caption the high-score dialog gets from a finished game.
inline constexpr const char* ScoreTableTitle = "VR-717 'Void Raider'";

// Virtual-key codes of the keys the game listens to.
namespace vk {
constexpr std::int16_t Escape = 27;
constexpr std::int16_t Space = 32;
constexpr std::int16_t Left = 37;
constexpr std::int16_t Up = 38;
constexpr std::int16_t Right = 39;
constexpr std::int16_t Down = 40;
constexpr std::int16_t S = 83;
constexpr std::int16_t W = 87;
}  // namespace vk

void NewGame();
void EndGame();
// Ends a game in progress as the program goes away: the timer stops, and no score is offered.
void AbandonGame();

// Handlers of the main window.
void Form_KeyDown(std::int16_t& KeyCode, std::int16_t& Shift);
void Form_KeyUp(std::int16_t& KeyCode, std::int16_t& Shift);
void Form_Resize();
void Timer1_Timer();

// One whole frame; only Timer1_Timer calls it.
void GameFrame();
