#include "game/play_state.h"

#include <algorithm>

#include "game/field.h"
#include "game/host.h"
#include "game/random.h"

#define DEFINE_PLAY_STATE_VARIABLE(type, name) type name = 0;
PLAY_STATE_VARIABLES(DEFINE_PLAY_STATE_VARIABLE)
#undef DEFINE_PLAY_STATE_VARIABLE

namespace {
template <std::size_t N>
void Fill(std::int32_t (&column)[N], std::int32_t value) {
    std::fill(std::begin(column), std::end(column), value);
}
}  // namespace

PlayerShotTable EmptyPlayerShots() {
    PlayerShotTable t;
    Fill(t.Y, FreeSlot);
    Fill(t.X, 1);
    Fill(t.Frame, 1);
    return t;
}

EnemyTable EmptyEnemies() {
    EnemyTable t;
    Fill(t.Y, FreeSlot);
    Fill(t.X, 1);
    Fill(t.State, 1);
    Fill(t.Dodge, 1);
    Fill(t.SpeedX, 1);
    Fill(t.Frame, 5);
    Fill(t.SpeedY, 1);
    return t;
}

EnemyShotTable EmptyEnemyShots() {
    EnemyShotTable t;
    Fill(t.Y, FreeSlot);
    Fill(t.X, 1);
    return t;
}

ExplosionTable EmptyExplosions() {
    ExplosionTable t;
    Fill(t.Y, FreeSlot);
    Fill(t.X, 1);
    Fill(t.Frame, 1);
    return t;
}

AsteroidTable EmptyAsteroids() {
    AsteroidTable t;
    Fill(t.Y, FreeSlot);
    Fill(t.X, 20);
    Fill(t.Speed, 1);
    Fill(t.Frame, 1);
    return t;
}

// Built at program start, so a fire key before the first game's InitGame finds a free table.
PlayerShotTable PlayerShots = EmptyPlayerShots();
EnemyTable Enemies = EmptyEnemies();
EnemyShotTable EnemyShots = EmptyEnemyShots();
ExplosionTable Explosions = EmptyExplosions();
AsteroidTable Asteroids = EmptyAsteroids();

void InitGame() {
    DeathFrame = 0;
    BonusLives = 0;
    ShipX = ShipStartX;
    ShipY = ShipStartY;
    ShipFrame = 1;
    ShotSpeed = 15;
    Shields = 100;
    WeaponEnergy = 100;

    PlayerShots = EmptyPlayerShots();
    Enemies = EmptyEnemies();
    EnemyShots = EmptyEnemyShots();
    Explosions = EmptyExplosions();
    Asteroids = EmptyAsteroids();

    Randomize();

    // Queued keys and clicks run here, on the fresh tables. Esc or the close box can end the
    // game inside the pump; a game ended so must not get its frame timer back.
    Host().PumpMessages();
    if (GameRunning) Host().SetTimerInterval(Host().SliderValue());

    NewGamePending = 0;
    TurboThrust = 0;
    RightThrust = 0;
    LeftThrust = 0;
}

void ResetObjects() {
    Enemies = EmptyEnemies();
    EnemyShots = EmptyEnemyShots();
    Explosions = EmptyExplosions();
    Asteroids = EmptyAsteroids();
}
