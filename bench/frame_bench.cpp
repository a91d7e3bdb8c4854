// One frame on a full field against the floor no frame of that picture can beat: blackening
// what the last frame drew and copying what changed to the screen, with no game and no
// transparency. Beside them, the whole-buffer clear and copy that every frame once cost.
#include <benchmark/benchmark.h>

#include <algorithm>

#include "game/game.h"
#include "game/random.h"
#include "game/sprite_store.h"
#include "platform/rect_list.h"
#include "platform/surface.h"

namespace {

class BenchHost final : public GameHost {
public:
    void PlaySound(std::int16_t) override {}
    void MessageBox(const std::string&) override {}
    void ShowHighScores(std::int32_t, const std::string&, const std::string&, bool) override {}
    std::string SettingsFilePath() override { return {}; }
    void SetTimerInterval(std::int32_t) override {}
    std::int32_t SliderValue() override { return 10; }
    void SetMenuVisible(bool) override {}
    void SetMenuEnabled(bool) override {}
    void SetScreenVisible(bool) override {}
    int ScreenWidth() override { return 484; }
    int ScreenHeight() override { return 300; }
    void BlitToScreen(const platform::BackBuffer& buffer, int, int) override {
        // As the window's screen takes a frame: only the pixels that differ, in what changed.
        const platform::RectList changed = buffer.ChangedSince(shown);
        for (const platform::Rect& r : changed.Rects()) {
            platform::CopyDifferences(buffer.Data(), buffer.Width(), screen.Data(), screen.Width(), r);
        }
        shown = buffer.Frame();
    }
    void PumpMessages() override {}
    platform::Surface screen{484, 300};
    std::uint64_t shown = 0;
};

// Never spawns, so the field stays exactly as laid out.
class NoSpawn final : public RandomSource {
public:
    void ReseedFromClock() override {}
    float Next() override { return 0.99f; }
};

// Every table full, spread over the field where nothing hits anything else.
void FillField() {
    for (int j = 0; j < AsteroidSlots; ++j) {
        AsteroidY[j] = 40 + 30 * j;
        AsteroidX[j] = 20 + 70 * j;
        AsteroidSpeed[j] = 0;
        ExplosionY[j] = 50 + 30 * j;
        ExplosionX[j] = 40 + 70 * j;
        ExplosionFrame[j] = 1 + j % 4;
        EnemyY[j] = 30 + 20 * j;
        EnemyX[j] = 440 - 20 * j;
        EnemyState[j] = 1;
        EnemySpeedY[j] = 0;
        EnemyDodge[j] = 1;
        EnemySpeedX[j] = 0;
        EnemyShotY[j] = 20 + 20 * j;
        EnemyShotX[j] = 400 - 30 * j;
    }
    for (int i = 0; i < PlayerShotSlots; ++i) {
        ShotY[i] = 150 + 8 * i;
        ShotX[i] = 300 + 9 * i;
    }
}

// A game started on the bench's host, its first frame (InitGame) run; the engine lets go of
// host and generator when it ends.
struct BenchGame {
    BenchGame() {
        SetGameHost(&host);
        SetRandomSource(&random);
        Form_Resize();
        NewGame();
        GameFrame();
    }
    ~BenchGame() {
        SetRandomSource(nullptr);
        SetGameHost(nullptr);
    }
    BenchHost host;
    NoSpawn random;
};

void BM_FullFieldFrame(benchmark::State& state) {
    BenchGame game;
    for (auto _ : state) {
        // Laying the field out again costs a few dozen stores, nothing beside the picture.
        FillField();
        Score = 123456;
        Lives = 8;
        GameFrame();
        benchmark::DoNotOptimize(game.host.screen.Data());
    }
}
BENCHMARK(BM_FullFieldFrame);

// The parts a steady full-field frame blackens and sends, as the game draws them.
platform::RectList FullFieldParts() {
    BenchGame game;
    for (int i = 0; i < 2; ++i) {
        FillField();
        GameFrame();
    }
    return frmGFX1().buffer.ChangedSince(frmGFX1().buffer.Frame() - 1);
}

void BM_ChangedAreaFloor(benchmark::State& state) {
    const platform::RectList parts = FullFieldParts();
    platform::Surface buffer(484, 300);
    platform::Surface screen(484, 300);
    for (auto _ : state) {
        for (const platform::Rect& r : parts.Rects()) {
            for (int y = r.y; y < r.y + r.height; ++y) std::fill_n(buffer.Row(y) + r.x, r.width, platform::Black);
        }
        for (const platform::Rect& r : parts.Rects()) {
            platform::BitBlt(screen, r.x, r.y, r.width, r.height, buffer, r.x, r.y);
        }
        benchmark::DoNotOptimize(screen.Data());
    }
}
BENCHMARK(BM_ChangedAreaFloor);

void BM_WholeBufferClearAndCopy(benchmark::State& state) {
    platform::Surface buffer(484, 300);
    platform::Surface screen(484, 300);
    for (auto _ : state) {
        buffer.Fill(platform::Black);
        platform::BitBlt(screen, 0, 0, 484, 300, buffer, 0, 0);
        benchmark::DoNotOptimize(screen.Data());
    }
}
BENCHMARK(BM_WholeBufferClearAndCopy);

}  // namespace

BENCHMARK_MAIN();
