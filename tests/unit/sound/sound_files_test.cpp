// The eight sound files the build writes into the program directory.
#include <SDL.h>
#include <gtest/gtest.h>

#include <cmath>
#include <map>

#include "disk_output.h"

namespace {

struct Sound {
    int channels = 0;
    std::vector<std::vector<double>> samples;  // per channel, -1..1
    double Seconds() const { return static_cast<double>(samples[0].size()) / OutputRate; }
};

Sound Read(int slot) {
    const fs::path path = ProgramDir() / ("0000_00" + std::to_string(slot) + ".X25");
    SDL_AudioSpec spec;
    Uint8* data = nullptr;
    Uint32 bytes = 0;
    Sound sound;
    if (SDL_LoadWAV(path.c_str(), &spec, &data, &bytes) == nullptr) {
        ADD_FAILURE() << path << ": " << SDL_GetError();
        return sound;
    }
    EXPECT_EQ(spec.format, AUDIO_S16LSB);
    EXPECT_EQ(spec.freq, OutputRate);
    sound.channels = spec.channels;
    sound.samples.resize(spec.channels);
    const auto* pcm = reinterpret_cast<const std::int16_t*>(data);
    for (Uint32 i = 0; i < bytes / 2; ++i) sound.samples[i % spec.channels].push_back(pcm[i] / 32768.0);
    SDL_FreeWAV(data);
    return sound;
}

// Each file is read once for all the tests.
const Sound& Load(int slot) {
    static std::map<int, Sound> loaded;
    const auto found = loaded.find(slot);
    return found != loaded.end() ? found->second : loaded.emplace(slot, Read(slot)).first->second;
}

double Db(double level) { return 20.0 * std::log10(std::max(level, 1e-9)); }

double Rms(const std::vector<double>& s, std::size_t from, std::size_t count) {
    double sum = 0.0;
    for (std::size_t i = from; i < from + count && i < s.size(); ++i) sum += s[i] * s[i];
    return std::sqrt(sum / static_cast<double>(count));
}

TEST(SoundFiles, LengthsFitTheirUse) {
    struct Case {
        int slot;
        double shortest, longest;
    };
    const Case cases[] = {{0, 30.0, 120.0}, {1, 0.05, 0.5}, {2, 0.05, 0.5}, {3, 0.05, 0.5},
                          {4, 0.05, 0.5},   {5, 0.05, 0.5}, {6, 0.05, 0.5}, {7, 0.01, 0.1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.slot);
        const Sound& sound = Load(c.slot);
        ASSERT_FALSE(sound.samples.empty());
        EXPECT_GE(sound.Seconds(), c.shortest);
        EXPECT_LT(sound.Seconds(), c.longest);
    }
}

TEST(SoundFiles, NothingClipsAndEffectsStartAndEndQuietly) {
    for (int slot = 0; slot < 8; ++slot) {
        SCOPED_TRACE(slot);
        const Sound& sound = Load(slot);
        ASSERT_FALSE(sound.samples.empty());
        for (const std::vector<double>& s : sound.samples) {
            double peak = 0.0;
            for (double v : s) peak = std::max(peak, std::fabs(v));
            EXPECT_LT(peak, 0.99);
            if (slot != 0) {
                EXPECT_LT(std::fabs(s.front()), 0.01);
                EXPECT_LT(std::fabs(s.back()), 0.01);
            }
        }
    }
}

TEST(SoundFiles, MusicLoopsWithoutAStepAtTheSeam) {
    const Sound& music = Load(0);
    ASSERT_FALSE(music.samples.empty());
    for (const std::vector<double>& s : music.samples) {
        double sum = 0.0;
        for (std::size_t i = 1; i < s.size(); ++i) sum += (s[i] - s[i - 1]) * (s[i] - s[i - 1]);
        const double typicalStep = std::sqrt(sum / static_cast<double>(s.size() - 1));
        EXPECT_LT(std::fabs(s.front() - s.back()), 4.0 * typicalStep);
    }
}

TEST(SoundFiles, EffectsStandOutOverTheMusic) {
    const Sound& music = Load(0);
    ASSERT_FALSE(music.samples.empty());
    const double musicLevel = Db(Rms(music.samples[0], 0, music.samples[0].size()));
    const std::size_t window = OutputRate / 50;  // 20 ms, about what the ear integrates a blip over
    for (int slot = 1; slot < 8; ++slot) {
        SCOPED_TRACE(slot);
        const Sound& effect = Load(slot);
        ASSERT_FALSE(effect.samples.empty());
        double loudest = 0.0;
        for (std::size_t at = 0; at + window <= effect.samples[0].size(); at += window / 4)
            loudest = std::max(loudest, Rms(effect.samples[0], at, window));
        EXPECT_GT(Db(loudest), musicLevel + 6.0);
    }
}

}  // namespace
