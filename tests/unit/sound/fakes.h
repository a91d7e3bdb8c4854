// Recording stand-ins for the mixer library and for the Preferences boxes. Both write into one
// log, so a test sees the order of every call across the two.
#pragma once

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "sound/sound.h"
#include "sound/wavemix.h"

using Log = std::vector<std::string>;

// The play record as the library reads it: 16-bit size, 32-bit session, channel, wave and
// notify, a 32-bit flags word, a 16-bit loop count, all little-endian.
inline std::string DescribePlayRecord(const unsigned char* b) {
    const auto u16 = [b](int at) { return static_cast<unsigned>(b[at] | (b[at + 1] << 8)); };
    const auto u32 = [&](int at) { return u16(at) | (u16(at + 2) << 16); };
    char text[160];
    std::snprintf(text, sizeof text, "WaveMixPlay(size=%u, session=%u, channel=%u, wave=%u, notify=%u, flags=0x%08X, loops=0x%04X)",
                  u16(0), u32(2), u32(6), u32(10), u32(14), u32(18), u16(22));
    return text;
}

inline std::string PlayEntry(std::uint32_t session, std::uint32_t channel, std::uint32_t wave, std::uint16_t loops) {
    char text[160];
    std::snprintf(text, sizeof text, "WaveMixPlay(size=24, session=%u, channel=%u, wave=%u, notify=0, flags=0x00050000, loops=0x%04X)",
                  session, channel, wave, loops);
    return text;
}

class FakeMixLibrary final : public MixLibrary {
public:
    explicit FakeMixLibrary(Log& log) : log_(&log) {}

    std::int32_t session = 41;  // what WaveMixConfigureInit hands out
    std::int32_t activateResult = 0;
    std::map<std::string, std::int32_t> waves;  // by file name; otherwise 100 + the number of earlier opens
    std::vector<unsigned char> configBytes, playBytes;  // the last records handed over

    void Reset() { *this = FakeMixLibrary(*log_); }

    std::int32_t WaveMixConfigureInit(const platform::MixConfig* config) override {
        const auto* bytes = reinterpret_cast<const unsigned char*>(config);
        configBytes.assign(bytes, bytes + sizeof(platform::MixConfig));
        log_->push_back("WaveMixConfigureInit");
        return session;
    }
    std::int32_t WaveMixActivate(std::int32_t s, std::int32_t activate) override {
        Add("WaveMixActivate", {s, activate});
        return activateResult;
    }
    std::int32_t WaveMixOpenWave(std::int32_t s, const char* fileName, std::int32_t instance,
                                 std::int32_t flags) override {
        log_->push_back("WaveMixOpenWave(" + std::to_string(s) + ", " + fileName + ", " + std::to_string(instance) +
                       ", " + std::to_string(flags) + ")");
        const std::int32_t next = 100 + opened_++;
        const auto found = waves.find(fileName);
        return found != waves.end() ? found->second : next;
    }
    std::int32_t WaveMixOpenChannel(std::int32_t s, std::int32_t channel, std::int32_t flags) override {
        return Add("WaveMixOpenChannel", {s, channel, flags});
    }
    std::int16_t WaveMixPlay(const platform::MixPlayParams* params) override {
        const auto* bytes = reinterpret_cast<const unsigned char*>(params);
        playBytes.assign(bytes, bytes + sizeof(platform::MixPlayParams));
        log_->push_back(DescribePlayRecord(bytes));
        return 0;
    }
    std::int32_t WaveMixFlushChannel(std::int32_t s, std::int32_t channel, std::int32_t flags) override {
        return Add("WaveMixFlushChannel", {s, channel, flags});
    }
    std::int32_t WaveMixFreeWave(std::int32_t s, std::int32_t wave) override { return Add("WaveMixFreeWave", {s, wave}); }
    std::int32_t WaveMixCloseSession(std::int32_t s) override { return Add("WaveMixCloseSession", {s}); }

private:
    std::int32_t Add(const std::string& name, std::vector<std::int32_t> args) {
        std::string entry = name + "(";
        for (std::size_t i = 0; i < args.size(); ++i) entry += (i ? ", " : "") + std::to_string(args[i]);
        log_->push_back(entry + ")");
        return 0;
    }

    Log* log_;
    std::int32_t opened_ = 0;
};

// The two Preferences boxes. Like the real boxes, a changed Music value runs the box's click
// handler at once: tick plays slot 0, anything else stops channel 0.
class FakeSoundSettings final : public SoundSettings {
public:
    explicit FakeSoundSettings(Log& log) : log_(&log) {}

    std::int16_t music = 0;
    std::int16_t effects = 1;
    std::string appPath = "/games/";

    void Reset() { *this = FakeSoundSettings(*log_); }

    std::int16_t MusicValue() override { return music; }
    std::int16_t EffectsValue() override { return effects; }
    void SetMusicValue(std::int16_t value) override {
        log_->push_back("SetMusicValue(" + std::to_string(value) + ")");
        if (value == music) return;
        music = value;
        if (music == 1) {
            const std::int16_t slot = 0;
            PlaySound(slot);
        } else {
            FlushChannel(0);
        }
    }
    void SetEffectsValue(std::int16_t value) override {
        log_->push_back("SetEffectsValue(" + std::to_string(value) + ")");
        effects = value;
    }
    void DisableMusicBox() override { log_->push_back("DisableMusicBox"); }
    void DisableEffectsBox() override { log_->push_back("DisableEffectsBox"); }
    std::string AppPath() override { return appPath; }
    void MessageBox(const std::string& text, const std::string& title) override {
        log_->push_back("MessageBox(" + text + " | " + title + ")");
    }

private:
    Log* log_;
};

#include <gtest/gtest.h>

#include "sound/slots.h"

// Starts every test from program start: no session, no wave table, empty slots.
class SoundModuleTest : public ::testing::Test {
protected:
    void SetUp() override {
        log.clear();
        mixer.Reset();
        settings.Reset();
        MixSession = 0;
        MixWaves.reset();
        SoundTable = {};
        SetMixLibrary(&mixer);
        SetSoundSettings(&settings);
    }
    void TearDown() override {
        SetMixLibrary(nullptr);
        SetSoundSettings(nullptr);
    }

    // InitWaveMix and the eight OpenWave calls of start-up, then a fresh log.
    void OpenEightChannels() {
        ASSERT_EQ(InitWaveMix(), -1);
        for (std::int32_t channel = 0; channel < 8; ++channel) OpenWave("/games/" + std::to_string(channel), channel);
        log.clear();
    }

    Log log;
    FakeMixLibrary mixer{log};
    FakeSoundSettings settings{log};
};
