// Module WAVEMIX: the one mixer session and its table of opened waves, over the wave-mixing
// library. Every routine is safe to call before a session exists, because start-up does so.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/mixer/wavemix.h"

// The library's eight operations as the wrapper calls them. The real library stands behind it
// unless SetMixLibrary puts another in its place (the tests' recording fake).
class MixLibrary {
public:
    virtual ~MixLibrary() = default;
    virtual std::int32_t WaveMixConfigureInit(const platform::MixConfig* config) = 0;
    virtual std::int32_t WaveMixActivate(std::int32_t session, std::int32_t activate) = 0;
    virtual std::int32_t WaveMixOpenWave(std::int32_t session, const char* fileName, std::int32_t instance,
                                         std::int32_t flags) = 0;
    virtual std::int32_t WaveMixOpenChannel(std::int32_t session, std::int32_t channel, std::int32_t flags) = 0;
    virtual std::int16_t WaveMixPlay(const platform::MixPlayParams* params) = 0;
    virtual std::int32_t WaveMixFlushChannel(std::int32_t session, std::int32_t channel, std::int32_t flags) = 0;
    virtual std::int32_t WaveMixFreeWave(std::int32_t session, std::int32_t wave) = 0;
    virtual std::int32_t WaveMixCloseSession(std::int32_t session) = 0;
};
// nullptr puts the real library back.
void SetMixLibrary(MixLibrary* library);

// The session handle; 0 while there is none.
extern std::int32_t MixSession;
// The wave handle of each channel, by channel number; empty (no table) until InitWaveMix.
extern std::optional<std::vector<std::int32_t>> MixWaves;

// Opens and activates the session: -1 (true) when it can play, 0 when it could not start.
std::int16_t InitWaveMix();
// Opens FileName as the wave of Channel, and the channel itself.
void OpenWave(const std::string& FileName, const std::int32_t& Channel);
// Starts the channel's wave; Loops -1 repeats until the channel is flushed, 0 plays once.
void PlayWave(const std::int32_t& Channel, const std::int32_t& Loops);
void FlushChannel(std::int32_t Channel);
void CloseWaveMix();

// The lower and upper 16 bits of Value, as signed 16-bit integers.
std::int16_t LoWord(std::int32_t Value);
std::int16_t HiWord(std::int32_t Value);
