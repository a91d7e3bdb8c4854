// Recording stand-ins for everything the engine reaches outside itself, and the fixture that
// puts them in place on a program-start play state.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <deque>
#include <functional>
#include <initializer_list>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "game/game.h"
#include "game/host.h"
#include "game/play_state.h"
#include "game/random.h"
#include "game/sprite_store.h"
#include "game/steps.h"
#include "platform/surface.h"

namespace enginetests {

constexpr int FieldWidth = 484;
constexpr int FieldHeight = 300;

// A draw that passes no spawn test: its chance product stays far from 1.
constexpr float NoSpawn = 0.99f;
// The largest single-precision number below 1.
inline float AlmostOne() { return std::nextafter(1.0f, 0.0f); }
// The largest float r with double(r) * n < 1: the last draw that still passes a 1-in-n roll.
inline float LastPassing(int n) {
    float r = static_cast<float>(1.0 / n);
    while (static_cast<double>(r) * n >= 1.0) r = std::nextafter(r, 0.0f);
    while (static_cast<double>(std::nextafter(r, 1.0f)) * n < 1.0) r = std::nextafter(r, 1.0f);
    return r;
}

// Every call the engine makes on its host, in order, as text ("sound 7", "timer 30", "pump").
class FakeHost final : public GameHost {
public:
    struct HighScoreCall {
        std::int32_t points;
        std::string title;
        std::string iniFile;
        bool showTableOnly;
    };
    struct Blit {
        const platform::Surface* source;
        int width;
        int height;
    };

    std::vector<std::string> log;
    std::vector<int> sounds;
    std::vector<std::string> messages;
    std::vector<HighScoreCall> highScores;
    std::vector<std::int32_t> timerIntervals;
    std::optional<bool> menuVisible, menuEnabled, screenVisible;
    int pumps = 0;
    std::vector<Blit> blits;

    std::int32_t slider = 30;
    int screenWidth = FieldWidth;
    int screenHeight = FieldHeight;
    std::string settingsPath = "/opt/voidraid/VOIDRAID.INI";

    // Optional hooks, run inside the call they are named for (after it has been recorded).
    std::function<void()> onPump, onMessageBox, onShowHighScores, onTimer;
    std::function<void(const platform::Surface&)> onBlit;

    void ClearRecords() {
        log.clear();
        sounds.clear();
        messages.clear();
        highScores.clear();
        timerIntervals.clear();
        menuVisible.reset();
        menuEnabled.reset();
        screenVisible.reset();
        pumps = 0;
        blits.clear();
    }

    void PlaySound(std::int16_t slot) override {
        sounds.push_back(slot);
        log.push_back("sound " + std::to_string(slot));
    }
    void MessageBox(const std::string& text) override {
        messages.push_back(text);
        log.push_back("message " + text);
        if (onMessageBox) onMessageBox();
    }
    void ShowHighScores(std::int32_t points, const std::string& title, const std::string& iniFile,
                        bool showTableOnly) override {
        highScores.push_back({points, title, iniFile, showTableOnly});
        log.push_back("highscores " + std::to_string(points));
        if (onShowHighScores) onShowHighScores();
    }
    std::string SettingsFilePath() override { return settingsPath; }
    void SetTimerInterval(std::int32_t milliseconds) override {
        timerIntervals.push_back(milliseconds);
        log.push_back("timer " + std::to_string(milliseconds));
        if (onTimer) onTimer();
    }
    std::int32_t SliderValue() override { return slider; }
    void SetMenuVisible(bool visible) override {
        menuVisible = visible;
        log.push_back(std::string("menu visible ") + (visible ? "1" : "0"));
    }
    void SetMenuEnabled(bool enabled) override {
        menuEnabled = enabled;
        log.push_back(std::string("menu enabled ") + (enabled ? "1" : "0"));
    }
    void SetScreenVisible(bool visible) override {
        screenVisible = visible;
        log.push_back(std::string("screen visible ") + (visible ? "1" : "0"));
    }
    int ScreenWidth() override { return screenWidth; }
    int ScreenHeight() override { return screenHeight; }
    void BlitToScreen(const platform::BackBuffer& buffer, int width, int height) override {
        blits.push_back({&buffer, width, height});
        log.push_back("blit " + std::to_string(width) + "x" + std::to_string(height));
        if (onBlit) onBlit(buffer);
    }
    void PumpMessages() override {
        ++pumps;
        log.push_back("pump");
        if (onPump) onPump();
    }
};

// A scripted sequence of draws. Running past its end fails the test, unless a filler is set.
class ScriptedRandom final : public RandomSource {
public:
    int draws = 0;
    int reseeds = 0;

    void Push(std::initializer_list<float> values) { script_.insert(script_.end(), values); }
    void Push(float value) { script_.push_back(value); }
    // After the script, keep answering value (for whole frames whose spawns do not matter).
    void FillWith(float value) { filler_ = value; }
    void Clear() {
        script_.clear();
        filler_.reset();
        draws = 0;
    }
    std::size_t Remaining() const { return script_.size(); }

    void ReseedFromClock() override { ++reseeds; }
    float Next() override {
        ++draws;
        if (!script_.empty()) {
            const float r = script_.front();
            script_.pop_front();
            return r;
        }
        if (filler_) return *filler_;
        ADD_FAILURE() << "random draw number " << draws << " goes beyond the script";
        return NoSpawn;
    }

private:
    std::deque<float> script_;
    std::optional<float> filler_;
};

// std::mt19937 with a fixed seed behind the engine's generator; reseeding is ignored so a run
// can be repeated exactly.
class SeededRandom final : public RandomSource {
public:
    explicit SeededRandom(std::uint32_t seed) : engine_(seed) {}
    void ReseedFromClock() override {}
    float Next() override { return static_cast<float>(engine_() >> 8) * (1.0f / 16777216.0f); }

private:
    std::mt19937 engine_;
};

// The name of one of the seven sprite lists, found by address.
inline std::string ListName(const platform::ImageList& list) {
    SpriteStore& s = frmGFX1();
    if (&list == &s.misc) return "misc";
    if (&list == &s.enemy1f) return "enemy1f";
    if (&list == &s.enemy1) return "enemy1";
    if (&list == &s.Explosion1) return "Explosion1";
    if (&list == &s.asteroid2) return "asteroid2";
    if (&list == &s.weapon1) return "weapon1";
    if (&list == &s.ship1) return "ship1";
    return "unknown list";
}

struct Draw {
    const platform::ImageList* list;
    int n, x, y;
    bool operator==(const Draw&) const = default;
};

inline std::ostream& operator<<(std::ostream& os, const Draw& d) {
    return os << ListName(*d.list) << " " << d.n << " at (" << d.x << ", " << d.y << ")";
}

class DrawRecorder final : public DrawObserver {
public:
    std::vector<Draw> draws;
    // When set, every draw is also written into this log ("draw ship1 15 200 250").
    std::vector<std::string>* log = nullptr;
    std::function<void(const Draw&)> onDraw;

    void OnDraw(const platform::ImageList& list, int n, int x, int y) override {
        draws.push_back({&list, n, x, y});
        if (log) {
            log->push_back("draw " + ListName(list) + " " + std::to_string(n) + " " + std::to_string(x) + " " +
                           std::to_string(y));
        }
        if (onDraw) onDraw(draws.back());
    }
    void Clear() { draws.clear(); }
    std::vector<Draw> Of(const platform::ImageList& list) const {
        std::vector<Draw> out;
        for (const Draw& d : draws) {
            if (d.list == &list) out.push_back(d);
        }
        return out;
    }
};

// Every table at once, compared byte for byte (the tables are plain arrays of integers).
struct Tables {
    PlayerShotTable shots;
    EnemyTable enemies;
    EnemyShotTable enemyShots;
    ExplosionTable explosions;
    AsteroidTable asteroids;

    static Tables Now() { return {PlayerShots, Enemies, EnemyShots, Explosions, Asteroids}; }
    bool operator==(const Tables& o) const {
        return std::memcmp(&shots, &o.shots, sizeof shots) == 0 &&
               std::memcmp(&enemies, &o.enemies, sizeof enemies) == 0 &&
               std::memcmp(&enemyShots, &o.enemyShots, sizeof enemyShots) == 0 &&
               std::memcmp(&explosions, &o.explosions, sizeof explosions) == 0 &&
               std::memcmp(&asteroids, &o.asteroids, sizeof asteroids) == 0;
    }
};

// Every play-state variable at once; {} is the program-start state.
struct PlayState {
#define PLAY_STATE_FIELD(type, name) type name = 0;
    PLAY_STATE_VARIABLES(PLAY_STATE_FIELD)
#undef PLAY_STATE_FIELD

    static PlayState Now() {
        PlayState state;
#define PLAY_STATE_COPY(type, name) state.name = ::name;
        PLAY_STATE_VARIABLES(PLAY_STATE_COPY)
#undef PLAY_STATE_COPY
        return state;
    }
    bool operator==(const PlayState&) const = default;
};

// Program-start state: every variable 0 (GunSide too), every table at its reset values. The
// tests start many games in one process; the program never needs this.
inline void ResetPlayState() {
#define PLAY_STATE_ZERO(type, name) name = 0;
    PLAY_STATE_VARIABLES(PLAY_STATE_ZERO)
#undef PLAY_STATE_ZERO
    PlayerShots = EmptyPlayerShots();
    ResetObjects();
}

inline void KeyDown(std::int16_t code) {
    std::int16_t key = code;
    std::int16_t shift = 0;
    Form_KeyDown(key, shift);
}
inline void KeyUp(std::int16_t code) {
    std::int16_t key = code;
    std::int16_t shift = 0;
    Form_KeyUp(key, shift);
}

// Program-start play state, the fakes installed, the back buffer at the game screen's size.
class EngineTest : public ::testing::Test {
protected:
    FakeHost host;
    ScriptedRandom rng;
    DrawRecorder draws;

    void SetUp() override {
        ResetPlayState();
        SetGameHost(&host);
        SetRandomSource(&rng);
        SetDrawObserver(&draws);
        Form_Resize();
    }
    void TearDown() override {
        SetDrawObserver(nullptr);
        SetRandomSource(nullptr);
        // The host stays set: a later test installs its own before the engine runs.
    }

    // A game in play as its first frame's reset leaves it, with every record cleared.
    void StartPlaying() {
        NewGame();
        InitGame();
        host.ClearRecords();
        draws.Clear();
        rng.Clear();
    }
    // The step under test sees only what the case places.
    void EmptyField() {
        PlayerShots = EmptyPlayerShots();
        ResetObjects();
    }
    void Forget() {
        host.ClearRecords();
        draws.Clear();
    }

    static SpriteStore& Gfx() { return frmGFX1(); }
    static platform::BackBuffer& Buffer() { return frmGFX1().buffer; }

    static void PlaceShot(int i, int x, int y, int frame = 1) {
        ShotX[i] = x;
        ShotY[i] = y;
        ShotFrame[i] = frame;
    }
    static void PlaceAsteroid(int j, int x, int y, int speed = 1, int frame = 1) {
        AsteroidX[j] = x;
        AsteroidY[j] = y;
        AsteroidSpeed[j] = speed;
        AsteroidFrame[j] = frame;
    }
    static void PlaceEnemy(int j, int x, int y, int state = 1) {
        EnemyX[j] = x;
        EnemyY[j] = y;
        EnemyState[j] = state;
    }
    static void PlaceEnemyShot(int j, int x, int y) {
        EnemyShotX[j] = x;
        EnemyShotY[j] = y;
    }
    static void PlaceExplosion(int j, int x, int y, int frame = 1) {
        ExplosionX[j] = x;
        ExplosionY[j] = y;
        ExplosionFrame[j] = frame;
    }
};

}  // namespace enginetests
