// The play state and the five object tables: everything a game knows, shared by every step.
// Every variable is 0 (false) at program start; the tables hold their reset values from then on.
#pragma once

#include <cstdint>

// --- play state ---------------------------------------------------------------------------
// A 16-bit boolean, as the main window's handlers see it. Not True and False: Xlib defines
// those as macros, and True would silently become 1 wherever it is included first.
constexpr std::int16_t VbTrue = -1;
constexpr std::int16_t VbFalse = 0;

// Every play-state variable, listed once with its type. The declarations below, the
// definitions, the tests' snapshot and the demo's trace are all made from this list, in its
// order, so a variable added here cannot be missing from any of them.
#define PLAY_STATE_VARIABLES(X)                                                          \
    X(std::int16_t, GameRunning)    /* a game is in play, from NewGame to EndGame */     \
    X(std::int32_t, NewGamePending) /* 1: the next frame begins with InitGame */         \
    X(std::int32_t, Score)                                                               \
    X(std::int32_t, Lives)          /* ships left, the one in play included */           \
    X(std::int32_t, Shields)        /* -1 to 100 at the end of every frame */            \
    X(std::int32_t, WeaponEnergy)   /* -1 to 100 at the end of every frame */            \
    X(std::int32_t, ShipX)          /* 1 to 450 */                                       \
    X(std::int32_t, ShipY)          /* 250 */                                            \
    X(std::int32_t, ShipFrame)      /* pose 1 to 20, 10 level */                         \
    X(std::int32_t, DeathFrame)     /* 0, 15, or 22 to 28 while the ship breaks up */    \
    X(std::int32_t, TurboThrust)    /* 0 to 10 */                                        \
    X(std::int32_t, RightThrust)    /* hold counters, 0 to 20 */                         \
    X(std::int32_t, LeftThrust)                                                          \
    X(std::int32_t, GunSide)        /* never reset: the guns alternate across games */   \
    X(std::int32_t, ShotSpeed)      /* 15 */                                             \
    X(std::int32_t, BonusLives)     /* 0 to 3 */

#define DECLARE_PLAY_STATE_VARIABLE(type, name) extern type name;
PLAY_STATE_VARIABLES(DECLARE_PLAY_STATE_VARIABLE)
#undef DECLARE_PLAY_STATE_VARIABLE

// --- object tables ------------------------------------------------------------------------
// A slot is free exactly when its Y is FreeSlot, whatever its other fields hold.
constexpr std::int32_t FreeSlot = -100;
inline bool InUse(std::int32_t y) { return y != FreeSlot; }

constexpr int PlayerShotSlots = 10;
constexpr int AsteroidSlots = 6;
constexpr int TableSlots = 10;  // Enemies, EnemyShots and Explosions are built with ten slots...
constexpr int UsedSlots = 6;  // ...of which 0 to 5 are used; 6 to 9 keep their reset values

struct PlayerShotTable {
    std::int32_t Y[PlayerShotSlots];
    std::int32_t X[PlayerShotSlots];
    std::int32_t Frame[PlayerShotSlots];
};
struct EnemyTable {
    std::int32_t Y[TableSlots];
    std::int32_t X[TableSlots];
    std::int32_t State[TableSlots];  // 1 flying; 2 to 6 breaking up
    std::int32_t Dodge[TableSlots];
    std::int32_t SpeedX[TableSlots];
    std::int32_t Frame[TableSlots];
    std::int32_t SpeedY[TableSlots];
};
struct EnemyShotTable {
    std::int32_t Y[TableSlots];
    std::int32_t X[TableSlots];
};
struct ExplosionTable {
    std::int32_t Y[TableSlots];
    std::int32_t X[TableSlots];
    std::int32_t Frame[TableSlots];
};
struct AsteroidTable {
    std::int32_t Y[AsteroidSlots];
    std::int32_t X[AsteroidSlots];
    std::int32_t Speed[AsteroidSlots];
    std::int32_t Frame[AsteroidSlots];
};

extern PlayerShotTable PlayerShots;
extern EnemyTable Enemies;
extern EnemyShotTable EnemyShots;
extern ExplosionTable Explosions;
extern AsteroidTable Asteroids;

// The columns under the names the steps use.
inline auto& ShotY = PlayerShots.Y;
inline auto& ShotX = PlayerShots.X;
inline auto& ShotFrame = PlayerShots.Frame;
inline auto& EnemyY = Enemies.Y;
inline auto& EnemyX = Enemies.X;
inline auto& EnemyState = Enemies.State;
inline auto& EnemyDodge = Enemies.Dodge;
inline auto& EnemySpeedX = Enemies.SpeedX;
inline auto& EnemyFrame = Enemies.Frame;
inline auto& EnemySpeedY = Enemies.SpeedY;
inline auto& EnemyShotY = EnemyShots.Y;
inline auto& EnemyShotX = EnemyShots.X;
inline auto& ExplosionY = Explosions.Y;
inline auto& ExplosionX = Explosions.X;
inline auto& ExplosionFrame = Explosions.Frame;
inline auto& AsteroidY = Asteroids.Y;
inline auto& AsteroidX = Asteroids.X;
inline auto& AsteroidSpeed = Asteroids.Speed;
inline auto& AsteroidFrame = Asteroids.Frame;

// Freeing a slot, one procedure per table: Y becomes FreeSlot, and the field a new occupant
// does not write goes back to its start (a new shot or explosion starts at image 1).
inline void FreeShot(int i) {
    ShotY[i] = FreeSlot;
    ShotFrame[i] = 1;
}
inline void FreeEnemy(int i) {
    EnemyY[i] = FreeSlot;
    EnemyState[i] = 1;
}
inline void FreeEnemyShot(int i) { EnemyShotY[i] = FreeSlot; }
inline void FreeExplosion(int j) {
    ExplosionY[j] = FreeSlot;
    ExplosionFrame[j] = 1;
}
inline void FreeAsteroid(int j) {
    AsteroidY[j] = FreeSlot;
    AsteroidFrame[j] = 1;
}

// Every slot of one table at its reset value.
PlayerShotTable EmptyPlayerShots();
EnemyTable EmptyEnemies();
EnemyShotTable EmptyEnemyShots();
ExplosionTable EmptyExplosions();
AsteroidTable EmptyAsteroids();

// Prepares a new game: ship, stores, all five tables, the generator, the frame timer.
void InitGame();
// Wipes the field during the ship's destruction; the player's shots fly on.
void ResetObjects();
