// The sound slots: start-up of the eight slots, the failure path, and the Preferences gate.
#include <gtest/gtest.h>

#include "fakes.h"

namespace {

using SlotsTest = SoundModuleTest;

TEST_F(SlotsTest, StartUpOpensEachSlotInLowerCaseUnderTheProgramDirectory) {
    struct Case {
        std::string appPath, directory;
    };
    const Case cases[] = {
        {"/Games/Void RAIDER/", "/games/void raider/"},
        {"  /opt/VR/", "/opt/vr/"},  // blanks around the path go
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.appPath);
        SetUp();
        settings.appPath = c.appPath;
        InitSound();
        Log expected{"WaveMixConfigureInit", "WaveMixActivate(41, -1)"};
        for (int n = 0; n < 8; ++n) {
            const std::string file = c.directory + "0000_00" + std::to_string(n) + ".x25";
            expected.push_back("WaveMixOpenWave(41, " + file + ", 0, 0)");
            expected.push_back("WaveMixOpenChannel(41, " + std::to_string(n) + ", 0)");
            EXPECT_EQ(SoundTable[static_cast<std::size_t>(n)].File, file);
            EXPECT_EQ(SoundTable[static_cast<std::size_t>(n)].Loops, n == 0 ? -1 : 0);
        }
        EXPECT_EQ(log, expected);
    }
}

TEST_F(SlotsTest, FailedStartReportsThenClearsAndDisablesBothBoxes) {
    struct Case {
        std::int16_t storedMusic;
        Log handler;  // what the Music box's click handler adds when its value changes
    };
    const Case cases[] = {
        {1, {"WaveMixFlushChannel(0, 0, 0)"}},
        {0, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.storedMusic);
        SetUp();
        settings.music = c.storedMusic;
        mixer.activateResult = 5;
        InitSound();
        Log expected{"WaveMixConfigureInit", "WaveMixActivate(41, -1)", "WaveMixCloseSession(41)",
                     "MessageBox(Unable to Initialize WaveMix DLL, Sound Disabled. | WaveMix Error)",
                     "SetEffectsValue(0)", "SetMusicValue(0)"};
        expected.insert(expected.end(), c.handler.begin(), c.handler.end());
        expected.insert(expected.end(), {"DisableEffectsBox", "DisableMusicBox"});
        EXPECT_EQ(log, expected);
        for (const SoundEntry& entry : SoundTable) {
            EXPECT_EQ(entry.File, "");
            EXPECT_EQ(entry.Loops, 0);
        }
        // Every later request stops at the gate.
        log.clear();
        for (std::int16_t slot = 0; slot < 8; ++slot) PlaySound(slot);
        EXPECT_TRUE(log.empty());
    }
}

TEST_F(SlotsTest, GateFollowsTheSlotsBox) {
    struct Case {
        std::int16_t music, effects, slot;
        bool plays;
    };
    const Case cases[] = {
        {1, 0, 0, true},  {1, 0, 3, false}, {0, 1, 0, false}, {0, 1, 5, true},
        {2, 0, 0, true},  {0, 2, 6, true},  {0, 0, 7, false}, {1, 1, 2, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "music " << c.music << " effects " << c.effects << " slot " << c.slot);
        SetUp();
        settings.appPath = "/g/";
        InitSound();
        settings.music = c.music;
        settings.effects = c.effects;
        log.clear();
        PlaySound(c.slot);
        if (c.plays) {
            const std::uint16_t loops = c.slot == 0 ? 0xFFFF : 0;
            EXPECT_EQ(log, (Log{"WaveMixFlushChannel(41, " + std::to_string(c.slot) + ", 0)",
                                PlayEntry(41, static_cast<std::uint32_t>(c.slot), static_cast<std::uint32_t>(100 + c.slot), loops)}));
        } else {
            EXPECT_TRUE(log.empty());
        }
    }
}

TEST_F(SlotsTest, RepeatRestartsItsOwnChannelOnly) {
    InitSound();
    log.clear();
    for (std::int16_t slot : {5, 5, 4}) PlaySound(slot);
    EXPECT_EQ(log, (Log{"WaveMixFlushChannel(41, 5, 0)", PlayEntry(41, 5, 105, 0), "WaveMixFlushChannel(41, 5, 0)",
                        PlayEntry(41, 5, 105, 0), "WaveMixFlushChannel(41, 4, 0)", PlayEntry(41, 4, 104, 0)}));
}

TEST_F(SlotsTest, MusicAskedForBeforeStartUpOnlyFlushesWithNoSession) {
    // A stored Music setting ticks the box while the settings load, before InitSound.
    settings.SetMusicValue(1);
    EXPECT_EQ(log, (Log{"SetMusicValue(1)", "WaveMixFlushChannel(0, 0, 0)"}));
}

TEST_F(SlotsTest, SlotOutsideTheTableIsIgnored) {
    InitSound();
    log.clear();
    for (std::int16_t slot : {-1, 8, 32767}) PlaySound(slot);
    EXPECT_TRUE(log.empty());
}

// The death tests run in a child process, so the settings stay set here.
using SoundSeamDeathTest = SoundModuleTest;

TEST_F(SoundSeamDeathTest, StartUpAndPlayWithoutSettingsAbortNamingTheSeam) {
    const char* message = "sound settings \\(SetSoundSettings\\) used before it was set";
    EXPECT_DEATH(
        {
            SetSoundSettings(nullptr);
            InitSound();
        },
        message);
    EXPECT_DEATH(
        {
            SetSoundSettings(nullptr);
            PlaySound(ClickSlot);
        },
        message);
}

}  // namespace
