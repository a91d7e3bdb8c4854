#include "platform/mixer/wavemix.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <array>
#include <climits>
#include <cstring>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/mixer/case_path.h"
#include "platform/mixer/sound_file.h"

namespace platform {

namespace {

// The one session. SDL_mixer keeps a single output device per process, so a second session
// could only share or fight over it.
struct Session {
    std::int32_t handle = 0;
    bool active = false;
    // The output device SDL_mixer plays through, paused while no channel sounds.
    SDL_AudioDeviceID device = 0;
    int rate = MixDefaultRate;
    int outputChannels = 2;
    std::array<bool, MixMaxChannels> channelOpen{};
    std::map<std::int32_t, Mix_Chunk*> waves;
};

Session TheSession;
// Handles are never reused, so a handle kept past its close stays invalid.
std::int32_t NextSessionHandle = 1;
std::int32_t NextWaveHandle = 1;

std::int32_t NewHandle(std::int32_t& next) {
    const std::int32_t handle = next;
    next = next == INT32_MAX ? 1 : next + 1;
    return handle;
}

bool IsSession(std::int32_t session) { return session != 0 && session == TheSession.handle; }

bool IsOpenChannel(std::int32_t channel) {
    return channel >= 0 && channel < MixMaxChannels && TheSession.channelOpen[static_cast<std::size_t>(channel)];
}

std::int32_t Join(std::int16_t low, std::int16_t high) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(static_cast<std::uint16_t>(low)) |
                                     (static_cast<std::uint32_t>(static_cast<std::uint16_t>(high)) << 16));
}

// SDL_mixer 2.6 does not name the device it opened; it is the one output device of the process,
// among the numbers SDL hands out to opened devices (from 2 up).
SDL_AudioDeviceID FindOutputDevice() {
    for (SDL_AudioDeviceID id = 2; id < 2 + 16; ++id) {
        if (SDL_GetAudioDeviceStatus(id) != SDL_AUDIO_STOPPED) return id;
    }
    return 0;
}

// Called with the mixer locked, on the audio thread when a sound ends and on ours when a
// channel is halted or replaced. With nothing left to mix the device is paused: its thread then
// writes silence without waking the mixer.
void PauseWhenSilent(int finished) {
    for (int channel = 0; channel < MixMaxChannels; ++channel) {
        if (channel != finished && Mix_Playing(channel)) return;
    }
    SDL_PauseAudioDevice(TheSession.device, 1);
}

bool OpenDevice() {
    if (Mix_OpenAudioDevice(TheSession.rate, AUDIO_S16SYS, TheSession.outputChannels, MixBufferFrames, nullptr, 0) != 0)
        return false;
    // Opening resets the channel count to SDL_mixer's default.
    Mix_AllocateChannels(MixMaxChannels);
    Mix_Volume(-1, MIX_MAX_VOLUME);
    TheSession.device = FindOutputDevice();
    if (TheSession.device != 0) {
        Mix_ChannelFinished(PauseWhenSilent);
        PauseWhenSilent(-1);
    }
    return true;
}

void CloseDevice() {
    Mix_ChannelFinished(nullptr);
    Mix_HaltChannel(-1);
    Mix_CloseAudio();
    TheSession.device = 0;
}

}  // namespace

std::int32_t WaveMixConfigureInit(const MixConfig* config) {
    if (config == nullptr || config->Size != sizeof(MixConfig) || TheSession.handle != 0) return 0;
    // Without this SDL takes over SIGINT and SIGTERM, and neither ends the program any more.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    // A cut-off file is refused whole rather than played up to the cut.
    SDL_SetHint(SDL_HINT_WAVE_TRUNCATION, "strict");
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return 0;
    TheSession = Session{};
    TheSession.handle = NewHandle(NextSessionHandle);
    TheSession.rate = config->SamplingRate != 0 ? config->SamplingRate : MixDefaultRate;
    TheSession.outputChannels = config->Channels == 1 ? 1 : 2;
    return TheSession.handle;
}

std::int32_t WaveMixActivate(std::int32_t session, std::int32_t activate) {
    if (!IsSession(session)) return MixErrInvalidHandle;
    if (activate != 0 && !TheSession.active) {
        if (!OpenDevice()) return MixErrDevice;
        TheSession.active = true;
    } else if (activate == 0 && TheSession.active) {
        // The waves stay loaded: they are plain samples in the device format, which a later
        // activation opens again.
        CloseDevice();
        TheSession.active = false;
    }
    return MixOk;
}

namespace {
// Only RIFF WAVE data is a wave: SDL_mixer would also decode MIDI and other formats, which a
// sound slot must not play.
bool IsWave(const std::vector<unsigned char>& bytes) {
    return bytes.size() >= 12 && std::memcmp(bytes.data(), "RIFF", 4) == 0 &&
           std::memcmp(bytes.data() + 8, "WAVE", 4) == 0;
}

// A path inside it names one of the program's own files.
std::string ProgramDirectory;
}  // namespace

void SetProgramDirectory(const std::string& directory) { ProgramDirectory = directory; }

std::int32_t WaveMixOpenWave(std::int32_t session, const char* fileName, std::int32_t /*instance*/,
                             std::int32_t /*flags*/) {
    if (!IsSession(session) || !TheSession.active || fileName == nullptr) return 0;
    const std::optional<std::string> path = FindPathIgnoringCaseUnder(fileName, ProgramDirectory);
    if (!path) return 0;
    const std::optional<std::vector<unsigned char>> bytes = ReadRegularFile(*path);
    if (!bytes || !IsWave(*bytes) || bytes->size() > INT_MAX) return 0;
    // SDL_mixer checks the header, refuses what it cannot decode and converts the samples to
    // the device format once, here, so playing costs nothing but the mix.
    Mix_Chunk* chunk = Mix_LoadWAV_RW(SDL_RWFromConstMem(bytes->data(), static_cast<int>(bytes->size())), 1);
    if (chunk == nullptr) return 0;
    if (chunk->alen == 0) {
        Mix_FreeChunk(chunk);
        return 0;
    }
    const std::int32_t wave = NewHandle(NextWaveHandle);
    TheSession.waves[wave] = chunk;
    return wave;
}

std::int32_t WaveMixOpenChannel(std::int32_t session, std::int32_t channel, std::int32_t /*flags*/) {
    if (!IsSession(session)) return MixErrInvalidHandle;
    if (channel < 0 || channel >= MixMaxChannels) return MixErrBadChannel;
    TheSession.channelOpen[static_cast<std::size_t>(channel)] = true;
    return MixOk;
}

std::int16_t WaveMixPlay(const MixPlayParams* params) {
    if (params == nullptr || params->Size != sizeof(MixPlayParams)) return MixErrBadParams;
    if (!IsSession(Join(params->SessionLow, params->SessionHigh))) return MixErrInvalidHandle;
    if (!TheSession.active) return MixErrNotActive;
    const std::int32_t channel = Join(params->ChannelLow, params->ChannelHigh);
    if (!IsOpenChannel(channel)) return MixErrBadChannel;
    const auto wave = TheSession.waves.find(Join(params->WaveLow, params->WaveHigh));
    if (wave == TheSession.waves.end()) return MixErrInvalidHandle;
    const std::uint16_t loops = static_cast<std::uint16_t>(params->Loops);
    // Playing on a given channel cuts what sounded there and starts at the next mix. Locked
    // together, so that the pause the cut sound may leave is lifted before the device runs on.
    SDL_LockAudioDevice(TheSession.device);
    Mix_PlayChannel(channel, wave->second, loops == MixLoopForever ? -1 : loops);
    SDL_PauseAudioDevice(TheSession.device, 0);
    SDL_UnlockAudioDevice(TheSession.device);
    return MixOk;
}

std::int32_t WaveMixFlushChannel(std::int32_t session, std::int32_t channel, std::int32_t /*flags*/) {
    if (!IsSession(session)) return MixErrInvalidHandle;
    if (!IsOpenChannel(channel)) return MixErrBadChannel;
    if (TheSession.active) Mix_HaltChannel(channel);
    return MixOk;
}

std::int32_t WaveMixFreeWave(std::int32_t session, std::int32_t wave) {
    if (!IsSession(session)) return MixErrInvalidHandle;
    const auto found = TheSession.waves.find(wave);
    if (found == TheSession.waves.end()) return MixErrInvalidHandle;
    // SDL_mixer halts every channel still playing the chunk before freeing it.
    Mix_FreeChunk(found->second);
    TheSession.waves.erase(found);
    return MixOk;
}

std::int32_t WaveMixCloseSession(std::int32_t session) {
    if (!IsSession(session)) return MixErrInvalidHandle;
    if (TheSession.active) CloseDevice();
    for (auto& [handle, chunk] : TheSession.waves) Mix_FreeChunk(chunk);
    TheSession = Session{};
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    if (SDL_WasInit(0) == 0) SDL_Quit();
    return MixOk;
}

}  // namespace platform
