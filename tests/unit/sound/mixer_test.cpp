// The real mixer over SDL's "disk" audio driver, which writes the mixed output to a file in
// real time: what was played can be read back sample by sample.
#include <gtest/gtest.h>

#include <SDL.h>

#include <algorithm>
#include <chrono>
#include <thread>

#include "disk_output.h"
#include "platform/mixer/wavemix.h"

namespace {

using namespace platform;

MixPlayParams PlayRecord(std::int32_t session, std::int32_t channel, std::int32_t wave, std::uint16_t loops) {
    const auto low = [](std::int32_t v) { return static_cast<std::int16_t>(v & 0xFFFF); };
    const auto high = [](std::int32_t v) { return static_cast<std::int16_t>((v >> 16) & 0xFFFF); };
    return {24, low(session), high(session), low(channel), high(channel), low(wave), high(wave),
            0,  0,            0,             5,            static_cast<std::int16_t>(loops)};
}

TEST(MixerWithoutSession, SessionZeroIsRefusedEverywhere) {
    const MixPlayParams play = PlayRecord(0, 0, 1, 0);
    EXPECT_NE(WaveMixActivate(0, -1), MixOk);
    EXPECT_EQ(WaveMixOpenWave(0, "/nowhere.x25", 0, 0), 0);
    EXPECT_NE(WaveMixOpenChannel(0, 0, 0), MixOk);
    EXPECT_NE(WaveMixPlay(&play), MixOk);
    EXPECT_NE(WaveMixFlushChannel(0, 0, 0), MixOk);
    EXPECT_NE(WaveMixFreeWave(0, 1), MixOk);
    EXPECT_NE(WaveMixCloseSession(0), MixOk);
    EXPECT_NE(WaveMixPlay(nullptr), MixOk);
    EXPECT_EQ(WaveMixConfigureInit(nullptr), 0);
    const MixConfig wrongSize{12, 0, 1, 2, 0};
    EXPECT_EQ(WaveMixConfigureInit(&wrongSize), 0);
}

class DiskMixer : public ::testing::Test {
protected:
    void SetUp() override {
        const MixConfig config{10, 0, 1, 2, 0};
        session_ = WaveMixConfigureInit(&config);
        ASSERT_NE(session_, 0);
        ASSERT_EQ(WaveMixActivate(session_, -1), MixOk);
        for (int channel = 0; channel < 8; ++channel) ASSERT_EQ(WaveMixOpenChannel(session_, channel, 0), MixOk);
    }
    void TearDown() override {
        if (session_ != 0) {
            EXPECT_EQ(WaveMixCloseSession(session_), MixOk);
        }
    }

    // Writes the bytes under a mixed-case name and opens them by the lower-cased path, as the
    // game does.
    std::int32_t OpenFile(const std::string& name, const std::vector<unsigned char>& bytes) {
        const fs::path path = dir_.Path() / "Waves" / name;
        WriteBytes(path, bytes);
        return WaveMixOpenWave(session_, LowerCase(path.string()).c_str(), 0, 0);
    }
    std::int32_t OpenLevel(const std::string& name, std::int16_t level, double seconds) {
        return OpenFile(name, LevelWav(level, seconds));
    }
    void Play(int channel, std::int32_t wave, std::uint16_t loops) {
        const MixPlayParams params = PlayRecord(session_, channel, wave, loops);
        EXPECT_EQ(WaveMixPlay(&params), MixOk);
    }

    std::int64_t FramesWritten() const { return output_.Frames(); }
    void WaitFor(std::int64_t frames) const { output_.WaitFor(frames); }
    std::vector<Frame> Output(std::int64_t from, std::int64_t to) const { return output_.Read(from, to); }

    ScratchDir dir_;
    DiskOutput output_{dir_.Path() / "out.raw"};
    std::int32_t session_ = 0;
};

TEST_F(DiskMixer, PlayedEffectSoundsOnceAndWhole) {
    const std::int32_t wave = OpenLevel("Shot.X25", 6000, 0.2);
    ASSERT_NE(wave, 0);
    WaitFor(Seconds(0.1));
    const std::int64_t mark = FramesWritten();
    Play(1, wave, 0);
    // Taken after the request, so a stall of this thread only widens the window.
    const std::int64_t played = FramesWritten();
    WaitFor(played + Seconds(0.6));
    const std::vector<Frame> before = Output(0, mark);
    EXPECT_EQ(CountNear(before, 0), static_cast<std::int64_t>(before.size())) << "sound before the request";
    const std::vector<Frame> after = Output(mark, played + Seconds(0.6));
    EXPECT_EQ(CountNear(after, 6000), Seconds(0.2));
    EXPECT_EQ(CountNear(after, 0), static_cast<std::int64_t>(after.size()) - Seconds(0.2));
}

TEST_F(DiskMixer, LoopingWaveRepeatsUntilFlushedThenFallsSilent) {
    const std::int32_t wave = OpenLevel("Tune.X25", 5000, 0.1);
    ASSERT_NE(wave, 0);
    Play(0, wave, MixLoopForever);
    const std::int64_t played = FramesWritten();
    WaitFor(played + Seconds(1.2));
    // Ten rounds of the wave, without a gap.
    const std::vector<Frame> playing = Output(played + Seconds(0.2), played + Seconds(1.2));
    EXPECT_EQ(CountNear(playing, 5000), static_cast<std::int64_t>(playing.size()));

    EXPECT_EQ(WaveMixFlushChannel(session_, 0, 0), MixOk);
    const std::int64_t flushed = FramesWritten();
    WaitFor(flushed + Seconds(0.8));
    const std::vector<Frame> after = Output(flushed + Seconds(0.3), flushed + Seconds(0.8));
    EXPECT_EQ(CountNear(after, 0), static_cast<std::int64_t>(after.size()));
}

TEST_F(DiskMixer, PlayOnAJustFlushedChannelStartsAtOnce) {
    const std::int32_t tune = OpenLevel("Tune.X25", 5000, 0.1);
    const std::int32_t shot = OpenLevel("Shot.X25", 7000, 0.2);
    ASSERT_NE(tune, 0);
    ASSERT_NE(shot, 0);
    const std::int64_t mark = FramesWritten();
    Play(2, tune, MixLoopForever);
    WaitFor(FramesWritten() + Seconds(0.3));
    EXPECT_EQ(WaveMixFlushChannel(session_, 2, 0), MixOk);
    Play(2, shot, 0);
    const std::int64_t restarted = FramesWritten();
    WaitFor(restarted + Seconds(1.0));

    const std::vector<Frame> out = Output(mark, restarted + Seconds(1.0));
    const auto lastTune = std::find_if(out.rbegin(), out.rend(), [](const Frame& f) { return Near(f, 5000); });
    const auto firstShot = std::find_if(out.begin(), out.end(), [](const Frame& f) { return Near(f, 7000); });
    ASSERT_NE(lastTune, out.rend());
    ASSERT_NE(firstShot, out.end());
    const auto gap = (firstShot - out.begin()) - (out.rend() - lastTune);
    EXPECT_GE(gap, 0);
    EXPECT_LT(gap, Seconds(0.5));
    EXPECT_EQ(CountNear(out, 7000), Seconds(0.2));
}

// The output device the session opened is paused: SDL then writes silence without mixing.
bool OutputPaused() {
    for (SDL_AudioDeviceID id = 2; id < 2 + 16; ++id) {
        if (SDL_GetAudioDeviceStatus(id) == SDL_AUDIO_PAUSED) return true;
    }
    return false;
}

bool PausedWithin(double seconds) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    while (!OutputPaused()) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return true;
}

TEST_F(DiskMixer, DeviceRestsWhileSilentAndTheNextSoundStartsAtOnceAndWhole) {
    const std::int32_t shot = OpenLevel("Shot.X25", 6000, 0.1);
    ASSERT_NE(shot, 0);
    EXPECT_TRUE(PausedWithin(1.0)) << "nothing plays, yet the device mixes";
    Play(3, shot, 0);
    EXPECT_FALSE(OutputPaused()) << "a sound was asked for, yet the device rests";
    EXPECT_TRUE(PausedWithin(2.0)) << "the sound has ended, yet the device mixes on";
    // The buffer that carried the sound's end reaches the output after the pause.
    WaitFor(FramesWritten() + Seconds(0.1));

    // After the rest: a flush of a silent channel must not leave the device paused either.
    EXPECT_EQ(WaveMixFlushChannel(session_, 3, 0), MixOk);
    const std::int64_t asked = FramesWritten();
    Play(3, shot, 0);
    WaitFor(asked + Seconds(0.5));
    const std::vector<Frame> out = Output(asked, asked + Seconds(0.5));
    const auto first = std::find_if(out.begin(), out.end(), [](const Frame& f) { return Near(f, 6000); });
    ASSERT_NE(first, out.end()) << "the sound after the rest was lost";
    // The device's buffer is 256 frames; a loaded machine may add a few more.
    EXPECT_LT(first - out.begin(), Seconds(0.06));
    EXPECT_EQ(CountNear(out, 6000), Seconds(0.1));
}

TEST_F(DiskMixer, TwoChannelsSoundTogether) {
    const std::int32_t low = OpenLevel("Low.X25", 4000, 0.5);
    const std::int32_t high = OpenLevel("High.X25", 8000, 0.5);
    ASSERT_NE(low, 0);
    ASSERT_NE(high, 0);
    const std::int64_t mark = FramesWritten();
    Play(3, low, 0);
    Play(4, high, 0);
    const std::int64_t played = FramesWritten();
    WaitFor(played + Seconds(0.8));
    const std::vector<Frame> out = Output(mark, played + Seconds(0.8));
    EXPECT_GE(CountNear(out, 12000), Seconds(0.1));
    const auto loudest = std::max_element(out.begin(), out.end(), [](const Frame& a, const Frame& b) { return a.left < b.left; });
    EXPECT_LE(loudest->left, 12003);
}

TEST_F(DiskMixer, BadFilesGiveNoWaveAndTheOthersStillPlay) {
    std::vector<unsigned char> good = LevelWav(3000, 0.2);
    std::vector<unsigned char> cutData(good.begin(), good.begin() + 44 + 100);
    std::vector<unsigned char> cutHeader(good.begin(), good.begin() + 30);
    std::vector<unsigned char> riffOnly(good.begin(), good.begin() + 8);
    const std::string text = "[Options]\nMusic_Toggle=1\nthis is not a sound file at all\n";
    // A short, well-formed MIDI tune: SDL_mixer can decode it, but it is no wave.
    const std::vector<unsigned char> midi = {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 0, 0, 1, 0, 96,
                                             'M', 'T', 'r', 'k', 0, 0, 0, 12, 0, 0x90, 60, 64,
                                             0x60, 0x80, 60, 64, 0, 0xFF, 0x2F, 0};
    struct Case {
        std::string name;
        std::vector<unsigned char> bytes;
    };
    const Case cases[] = {
        {"Empty.X25", {}},
        {"Riff.X25", riffOnly},
        {"Header.X25", cutHeader},
        {"Data.X25", cutData},
        {"Silent.X25", LevelWav(3000, 0.0)},
        {"Text.X25", std::vector<unsigned char>(text.begin(), text.end())},
        {"Tune.X25", midi},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(OpenFile(c.name, c.bytes), 0);
    }
    fs::create_directories(dir_.Path() / "Waves" / "Folder.X25");
    EXPECT_EQ(WaveMixOpenWave(session_, LowerCase((dir_.Path() / "Waves" / "Folder.X25").string()).c_str(), 0, 0), 0);
    EXPECT_EQ(WaveMixOpenWave(session_, LowerCase((dir_.Path() / "Waves" / "Missing.X25").string()).c_str(), 0, 0), 0);

    // What a slot with a bad file does: play handle 0. Nothing sounds; the good slot does.
    const std::int32_t wave = OpenFile("Good.X25", good);
    ASSERT_NE(wave, 0);
    const std::int64_t mark = FramesWritten();
    const MixPlayParams bad = PlayRecord(session_, 1, 0, 0);
    EXPECT_NE(WaveMixPlay(&bad), MixOk);
    Play(2, wave, 0);
    const std::int64_t played = FramesWritten();
    WaitFor(played + Seconds(0.6));
    const std::vector<Frame> out = Output(mark, played + Seconds(0.6));
    EXPECT_EQ(CountNear(out, 3000), Seconds(0.2));
    EXPECT_EQ(CountNear(out, 0), static_cast<std::int64_t>(out.size()) - Seconds(0.2));
}

TEST_F(DiskMixer, FreedWaveStopsAndCannotBePlayedAgain) {
    const std::int32_t wave = OpenLevel("Tune.X25", 5000, 0.1);
    ASSERT_NE(wave, 0);
    Play(0, wave, MixLoopForever);
    EXPECT_EQ(WaveMixFreeWave(session_, wave), MixOk);
    const std::int64_t freed = FramesWritten();
    const MixPlayParams again = PlayRecord(session_, 0, wave, 0);
    EXPECT_NE(WaveMixPlay(&again), MixOk);
    EXPECT_NE(WaveMixFreeWave(session_, wave), MixOk);
    WaitFor(freed + Seconds(0.8));
    const std::vector<Frame> after = Output(freed + Seconds(0.3), freed + Seconds(0.8));
    EXPECT_EQ(CountNear(after, 0), static_cast<std::int64_t>(after.size()));
}

TEST(MixerDevice, UnavailableDriverFailsToStart) {
    ::setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    const MixConfig config{10, 0, 1, 2, 0};
    const std::int32_t session = WaveMixConfigureInit(&config);
    EXPECT_NE(WaveMixActivate(session, -1), MixOk);
    WaveMixCloseSession(session);
}

}  // namespace
