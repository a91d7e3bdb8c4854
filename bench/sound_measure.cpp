// Measures the sound path on SDL's "disk" driver writing to /dev/null, which paces the mixer
// like a sound card: start-up with the eight files, the cost of PlaySound, the time from
// PlaySound to the first audible sample out of the mixer, and the CPU the music takes.
//   sound_measure [PROGRAM_DIR]
#include <SDL_mixer.h>
#include <sys/resource.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "sound/sound.h"

namespace {

using Clock = std::chrono::steady_clock;

class OpenGates final : public SoundSettings {
public:
    std::int16_t music = 1;
    std::string dir;
    std::int16_t MusicValue() override { return music; }
    std::int16_t EffectsValue() override { return 1; }
    void SetMusicValue(std::int16_t) override {}
    void SetEffectsValue(std::int16_t) override {}
    void DisableMusicBox() override {}
    void DisableEffectsBox() override {}
    std::string AppPath() override { return dir; }
    void MessageBox(const std::string& text, const std::string&) override { std::printf("message: %s\n", text.c_str()); }
};

double Micros(Clock::duration d) { return std::chrono::duration<double, std::micro>(d).count(); }

void Report(const char* what, std::vector<double> values, const char* unit) {
    std::sort(values.begin(), values.end());
    std::printf("%-34s median %8.1f  p99 %8.1f  max %8.1f %s (n=%zu)\n", what, values[values.size() / 2],
                values[values.size() * 99 / 100], values.back(), unit, values.size());
}

double CpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// Set by the test, cleared by the mixer thread at the first non-silent buffer after it.
std::atomic<bool> Armed{false};
std::atomic<Clock::rep> HeardAt{0};

void PostMix(void*, Uint8* stream, int length) {
    if (!Armed.load()) return;
    const auto* samples = reinterpret_cast<const Sint16*>(stream);
    for (int i = 0; i < length / 2; ++i) {
        if (samples[i] != 0) {
            HeardAt = Clock::now().time_since_epoch().count();
            Armed = false;
            return;
        }
    }
}

// Waits up to a second for the output device to rest (paused while nothing plays); whether it did.
bool WaitForRest() {
    const auto deadline = Clock::now() + std::chrono::seconds(1);
    while (Clock::now() < deadline) {
        for (SDL_AudioDeviceID id = 2; id < 2 + 16; ++id) {
            if (SDL_GetAudioDeviceStatus(id) == SDL_AUDIO_PAUSED) return true;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return false;
}

double CpuPercentOver(double seconds, const std::function<void()>& everyTenth) {
    const double cpu = CpuSeconds();
    const auto start = Clock::now();
    while (Clock::now() - start < std::chrono::duration<double>(seconds)) {
        everyTenth();
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    const double wall = std::chrono::duration<double>(Clock::now() - start).count();
    return 100.0 * (CpuSeconds() - cpu) / wall;
}

}  // namespace

int main(int argc, char** argv) {
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", "/dev/null", 1);
    OpenGates settings;
    settings.dir = std::string(argc > 1 ? argv[1] : VR_PROGRAM_DIR) + "/";
    SetSoundSettings(&settings);

    const auto startUp = Clock::now();
    InitSound();
    std::printf("%-34s %8.1f ms\n", "InitSound with the eight files", Micros(Clock::now() - startUp) / 1000.0);

    // Latency: effects only, so that the first non-silent buffer is the effect's. Each request
    // comes once the previous sound has ended and the device rests, as most of a game's do.
    Mix_SetPostMix(PostMix, nullptr);
    std::vector<double> latency, call;
    int rested = 0;
    for (int trial = 0; trial < 100; ++trial) {
        // The rest begins right after a mix; the sleep then puts the request anywhere in the
        // device's period, as a player's key does.
        rested += WaitForRest();
        std::this_thread::sleep_for(std::chrono::milliseconds(150 + trial % 13));
        const std::int16_t slot = static_cast<std::int16_t>(1 + trial % 7);
        Armed = true;
        const auto asked = Clock::now();
        PlaySound(slot);
        call.push_back(Micros(Clock::now() - asked));
        while (Armed) std::this_thread::sleep_for(std::chrono::microseconds(200));
        latency.push_back(Micros(Clock::time_point(Clock::duration(HeardAt.load())) - asked) / 1000.0);
    }
    Mix_SetPostMix(nullptr, nullptr);
    Report("PlaySound to first sound out", latency, "ms");
    std::printf("%-34s %d of %zu\n", "  requests made to a resting device", rested, latency.size());
    Report("PlaySound call", call, "us");

    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    std::printf("%-34s %8.2f %% of one core\n", "idle session", CpuPercentOver(5.0, [] {}));
    const std::int16_t music = 0;
    PlaySound(music);
    std::printf("%-34s %8.2f %% of one core\n", "music playing", CpuPercentOver(10.0, [] {}));
    int tick = 0;
    std::printf("%-34s %8.2f %% of one core\n", "music and an effect every 100 ms", CpuPercentOver(10.0, [&tick] {
                    const std::int16_t slot = static_cast<std::int16_t>(1 + tick++ % 7);
                    PlaySound(slot);
                }));
    FlushChannel(0);
    CloseWaveMix();
    return 0;
}
