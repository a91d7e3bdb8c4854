// The steps of one frame, in the order GameFrame calls them. Private to the engine (and its tests).
#pragma once

#include <cstdint>
#include <string>

void ClearBuffer();
void MoveAsteroids();
void UpdateExplosions();
void MoveEnemies();
void MoveEnemyShots();
void MoveShots();
void UpdateShip();
void UpdateStatus();
void DrawGauge(std::int32_t& Y, std::int32_t& X, std::int32_t& Value);

// The score as the status bar prints it: 1234 gives "1,234".
std::string ScoreText(std::int32_t value);
