#include "sound/wavemix.h"

#include "sound/sound.h"

namespace {

class RealMixLibrary final : public MixLibrary {
public:
    std::int32_t WaveMixConfigureInit(const platform::MixConfig* config) override {
        return platform::WaveMixConfigureInit(config);
    }
    std::int32_t WaveMixActivate(std::int32_t session, std::int32_t activate) override {
        return platform::WaveMixActivate(session, activate);
    }
    std::int32_t WaveMixOpenWave(std::int32_t session, const char* fileName, std::int32_t instance,
                                 std::int32_t flags) override {
        return platform::WaveMixOpenWave(session, fileName, instance, flags);
    }
    std::int32_t WaveMixOpenChannel(std::int32_t session, std::int32_t channel, std::int32_t flags) override {
        return platform::WaveMixOpenChannel(session, channel, flags);
    }
    std::int16_t WaveMixPlay(const platform::MixPlayParams* params) override { return platform::WaveMixPlay(params); }
    std::int32_t WaveMixFlushChannel(std::int32_t session, std::int32_t channel, std::int32_t flags) override {
        return platform::WaveMixFlushChannel(session, channel, flags);
    }
    std::int32_t WaveMixFreeWave(std::int32_t session, std::int32_t wave) override {
        return platform::WaveMixFreeWave(session, wave);
    }
    std::int32_t WaveMixCloseSession(std::int32_t session) override { return platform::WaveMixCloseSession(session); }
};

RealMixLibrary RealLibrary;
MixLibrary* Library = &RealLibrary;

constexpr std::int32_t Activate = -1;

}  // namespace

std::int32_t MixSession = 0;
std::optional<std::vector<std::int32_t>> MixWaves;

void SetMixLibrary(MixLibrary* library) { Library = library != nullptr ? library : &RealLibrary; }

std::int16_t LoWord(std::int32_t Value) {
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(static_cast<std::uint32_t>(Value) & 0xFFFFu));
}

std::int16_t HiWord(std::int32_t Value) {
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(static_cast<std::uint32_t>(Value) >> 16));
}

std::int16_t InitWaveMix() {
    MixWaves = std::vector<std::int32_t>{0};
    // The flags word reads 0x00010000 to the library: the 1 stands in its upper half.
    const platform::MixConfig config{.Size = sizeof(platform::MixConfig),
                                     .FlagsLow = 0,
                                     .FlagsHigh = 1,
                                     .Channels = 2,
                                     .SamplingRate = 0};
    // A failed configuration (0) is not tested: activating session 0 fails in its turn.
    MixSession = Library->WaveMixConfigureInit(&config);
    if (Library->WaveMixActivate(MixSession, Activate) != 0) {
        Library->WaveMixCloseSession(MixSession);
        MixSession = 0;
        return 0;
    }
    return -1;
}

void OpenWave(const std::string& FileName, const std::int32_t& Channel) {
    // Only start-up opens waves, after InitWaveMix and for channels 0 to 7.
    if (!MixWaves || Channel < 0) return;
    if (static_cast<std::size_t>(Channel) >= MixWaves->size()) MixWaves->resize(static_cast<std::size_t>(Channel) + 1, 0);
    (*MixWaves)[static_cast<std::size_t>(Channel)] = Library->WaveMixOpenWave(MixSession, FileName.c_str(), 0, 0);
    Library->WaveMixOpenChannel(MixSession, Channel, 0);
}

void PlayWave(const std::int32_t& Channel, const std::int32_t& Loops) {
    if (!MixWaves || Channel < 0 || static_cast<std::size_t>(Channel) >= MixWaves->size()) return;
    if (MixSession == 0) return;
    const std::int32_t wave = (*MixWaves)[static_cast<std::size_t>(Channel)];
    // The flags word reads 0x00050000 to the library, the 5 in its upper half; the loop count
    // travels as 16 bits, so -1 arrives as 0xFFFF.
    const platform::MixPlayParams params{.Size = sizeof(platform::MixPlayParams),
                                         .SessionLow = LoWord(MixSession),
                                         .SessionHigh = HiWord(MixSession),
                                         .ChannelLow = LoWord(Channel),
                                         .ChannelHigh = HiWord(Channel),
                                         .WaveLow = LoWord(wave),
                                         .WaveHigh = HiWord(wave),
                                         .NotifyLow = 0,
                                         .NotifyHigh = 0,
                                         .FlagsLow = 0,
                                         .FlagsHigh = 5,
                                         .Loops = LoWord(Loops)};
    // The play request's result is dropped: a sound that does not start is not reported.
    Library->WaveMixPlay(&params);
}

void FlushChannel(std::int32_t Channel) {
    // No test for a session: with none, the library receives session 0 and does nothing.
    Library->WaveMixFlushChannel(MixSession, Channel, 0);
}

void CloseWaveMix() {
    if (MixSession == 0) return;
    if (MixWaves) {
        for (std::size_t i = 0; i < MixWaves->size(); ++i) {
            const std::int32_t wave = (*MixWaves)[i];
            if (wave == 0) continue;
            FlushChannel(static_cast<std::int32_t>(i));
            Library->WaveMixFreeWave(MixSession, wave);
        }
    }
    // The table keeps its handles; the program ends right after.
    Library->WaveMixCloseSession(MixSession);
    MixSession = 0;
}
