// The wave-mixing library: a session plays wave files on numbered channels, all mixed together
// by the audio device's own thread, which is paused while no channel sounds. Handles are 32-bit
// numbers, 0 meaning none; a 0 or stale handle is refused by every operation, which then does
// nothing.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <string>

namespace platform {

static_assert(std::endian::native == std::endian::little, "the mixer records are laid out little-endian");

// Handed to WaveMixConfigureInit. The flags word (FlagsLow, FlagsHigh) is accepted but means
// nothing to this library; Channels is 1 (mono) or 2 (stereo output), anything else stereo;
// SamplingRate is the output rate in Hz, 0 for MixDefaultRate.
struct MixConfig {
    std::uint16_t Size;  // 10
    std::uint16_t FlagsLow;
    std::uint16_t FlagsHigh;
    std::uint16_t Channels;
    std::uint16_t SamplingRate;
};
static_assert(sizeof(MixConfig) == 10);
static_assert(offsetof(MixConfig, FlagsLow) == 2 && offsetof(MixConfig, Channels) == 6 &&
              offsetof(MixConfig, SamplingRate) == 8);

// Handed to WaveMixPlay: each 32-bit quantity split into its lower and upper half. The notify
// window and the flags word are accepted and ignored: a play always starts at once, replacing
// whatever sounds on its channel.
struct MixPlayParams {
    std::int16_t Size;  // 24
    std::int16_t SessionLow;
    std::int16_t SessionHigh;
    std::int16_t ChannelLow;
    std::int16_t ChannelHigh;
    std::int16_t WaveLow;
    std::int16_t WaveHigh;
    std::int16_t NotifyLow;
    std::int16_t NotifyHigh;
    std::int16_t FlagsLow;
    std::int16_t FlagsHigh;
    std::int16_t Loops;  // repeats after the first play; MixLoopForever until flushed
};
static_assert(sizeof(MixPlayParams) == 24);
static_assert(offsetof(MixPlayParams, SessionLow) == 2 && offsetof(MixPlayParams, WaveLow) == 10 &&
              offsetof(MixPlayParams, NotifyLow) == 14 && offsetof(MixPlayParams, FlagsLow) == 18 &&
              offsetof(MixPlayParams, Loops) == 22);

constexpr std::uint16_t MixLoopForever = 0xFFFF;
constexpr int MixMaxChannels = 16;  // channel numbers 0 to 15
constexpr int MixDefaultRate = 22050;
// Output buffer in frames: about 12 ms at the default rate, which keeps a shot's sound within
// 25 ms of the request.
constexpr int MixBufferFrames = 256;

// Results of the operations other than the handle makers.
constexpr std::int32_t MixOk = 0;
constexpr std::int32_t MixErrInvalidHandle = 1;  // session or wave 0, closed or never opened
constexpr std::int32_t MixErrBadChannel = 2;  // outside 0 to MixMaxChannels - 1, or not opened
constexpr std::int32_t MixErrNotActive = 3;  // the session has no output device
constexpr std::int32_t MixErrDevice = 4;  // the output device could not be opened
constexpr std::int32_t MixErrBadParams = 5;  // a record with the wrong Size

// Starts the audio system and makes the session; 0 when audio cannot start or a session is
// already open (there is one at a time).
std::int32_t WaveMixConfigureInit(const MixConfig* config);
// activate non-zero opens the output device and starts mixing, 0 silences and releases it.
std::int32_t WaveMixActivate(std::int32_t session, std::int32_t activate);
// The running program's directory, spelt as on disk and ending in "/", as the front end found
// it; empty (as at start) when there is none to keep to.
void SetProgramDirectory(const std::string& directory);
// Loads a WAV file (letter case in the path is not significant; a path inside the program
// directory set above is found there only) onto an active session. Returns its wave handle, or
// 0 for a file that is missing, not playable or not a regular file (a FIFO is never waited on).
std::int32_t WaveMixOpenWave(std::int32_t session, const char* fileName, std::int32_t instance,
                             std::int32_t flags);
std::int32_t WaveMixOpenChannel(std::int32_t session, std::int32_t channel, std::int32_t flags);
// Starts the record's wave on its channel at once; returns without waiting for any audio.
std::int16_t WaveMixPlay(const MixPlayParams* params);
// Stops what plays on the channel.
std::int32_t WaveMixFlushChannel(std::int32_t session, std::int32_t channel, std::int32_t flags);
// Stops the wave wherever it plays and releases it.
std::int32_t WaveMixFreeWave(std::int32_t session, std::int32_t wave);
// Releases every wave of the session, the output device and the audio system.
std::int32_t WaveMixCloseSession(std::int32_t session);

}  // namespace platform
