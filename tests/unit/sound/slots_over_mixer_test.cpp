// The sound slots over the real mixer: the built sound files and the failure path.
#include <gtest/gtest.h>

#include "disk_output.h"
#include "fakes.h"

namespace {

class SlotsOverMixer : public SoundModuleTest {
protected:
    void SetUp() override {
        SoundModuleTest::SetUp();
        SetMixLibrary(nullptr);
    }
    void TearDown() override {
        CloseWaveMix();
        SoundModuleTest::TearDown();
    }
};

TEST_F(SlotsOverMixer, BuiltFilesOpenAndPlayFromTheLowerCasedPath) {
    ScratchDir dir;
    const DiskOutput output(dir.Path() / "out.raw");
    settings.appPath = ProgramDir().string() + "/";
    settings.music = 1;
    InitSound();
    ASSERT_TRUE(log.empty()) << log.front();
    ASSERT_NE(MixSession, 0);
    ASSERT_EQ(MixWaves->size(), 8u);
    for (std::size_t n = 0; n < 8; ++n) EXPECT_NE((*MixWaves)[n], 0) << SoundTable[n].File;

    const std::int64_t mark = output.Frames();
    for (std::int16_t slot : {0, 1, 7}) PlaySound(slot);
    const std::int64_t played = output.Frames();
    output.WaitFor(played + Seconds(1.0));
    const std::vector<Frame> out = output.Read(mark, played + Seconds(1.0));
    EXPECT_GT(static_cast<std::int64_t>(out.size()) - CountNear(out, 0), Seconds(0.5));

    CloseWaveMix();
    EXPECT_EQ(MixSession, 0);
}

TEST_F(SlotsOverMixer, DeviceThatCannotOpenSwitchesSoundOff) {
    ::setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    settings.music = 1;
    InitSound();
    EXPECT_EQ(log, (Log{"MessageBox(Unable to Initialize WaveMix DLL, Sound Disabled. | WaveMix Error)",
                        "SetEffectsValue(0)", "SetMusicValue(0)", "DisableEffectsBox", "DisableMusicBox"}));
    EXPECT_EQ(MixSession, 0);
    EXPECT_EQ(settings.music, 0);
    EXPECT_EQ(settings.effects, 0);
}

}  // namespace
