// The sound slots over the real mixer: the built sound files and the failure path.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

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

TEST_F(SlotsOverMixer, SoundFileThatIsNoRegularFileLeavesOnlyItsSlotSilent) {
    ScratchDir dir;
    const DiskOutput output(dir.Path() / "out.raw");
    const fs::path program = dir.Path() / "Program";
    fs::create_directories(program);
    for (int slot = 0; slot < 8; ++slot) {
        const std::string name = "0000_00" + std::to_string(slot) + ".X25";
        fs::copy_file(ProgramDir() / name, program / name);
    }
    // A FIFO with no writer holds a blocking reader for ever; a device never ends.
    const fs::path fifo = program / "0000_003.X25";
    fs::remove(fifo);
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    fs::remove(program / "0000_004.X25");
    fs::create_symlink(fifo, program / "0000_004.X25");
    fs::remove(program / "0000_005.X25");
    fs::create_symlink("/dev/zero", program / "0000_005.X25");
    fs::remove(program / "0000_006.X25");
    fs::create_directory(program / "0000_006.X25");
    settings.appPath = program.string() + "/";
    settings.music = 1;

    // Should the start wait on the FIFO, a writer that comes and goes lets it go on, so that the
    // test fails instead of hanging.
    std::atomic<bool> started{false};
    std::atomic<bool> waited{false};
    std::thread watchdog([&] {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        while (!started) {
            if (std::chrono::steady_clock::now() > deadline) {
                waited = true;
                const int writer = ::open(fifo.c_str(), O_WRONLY | O_NONBLOCK);
                if (writer >= 0) ::close(writer);
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
    });
    InitSound();
    started = true;
    watchdog.join();
    EXPECT_FALSE(waited) << "start-up waited on the FIFO";
    ASSERT_TRUE(log.empty()) << log.front();
    ASSERT_EQ(MixWaves->size(), 8u);
    for (std::size_t n = 0; n < 8; ++n) {
        SCOPED_TRACE(n);
        if (n >= 3 && n <= 6) {
            EXPECT_EQ((*MixWaves)[n], 0);
        } else {
            EXPECT_NE((*MixWaves)[n], 0);
        }
    }

    // The music and the other effects still sound; the silent slots' requests pass unheard.
    const std::int64_t mark = output.Frames();
    for (std::int16_t slot : {0, 3, 4, 5, 6, 1}) PlaySound(slot);
    const std::int64_t played = output.Frames();
    output.WaitFor(played + Seconds(1.0));
    const std::vector<Frame> out = output.Read(mark, played + Seconds(1.0));
    EXPECT_GT(static_cast<std::int64_t>(out.size()) - CountNear(out, 0), Seconds(0.5));
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
