// The WAVEMIX wrapper against a recording library: which calls it makes in each state of the
// session, in which order, with which arguments and records.
#include <gtest/gtest.h>

#include "fakes.h"

namespace {

using Bytes = std::vector<unsigned char>;

TEST(WordSplit, GivesSignedHalves) {
    struct Case {
        std::int32_t value;
        std::int16_t low, high;
    };
    const Case cases[] = {
        {0, 0, 0},
        {0x0000FFFF, -1, 0},
        {-1, -1, -1},
        {0x12345678, 0x5678, 0x1234},
        {static_cast<std::int32_t>(0x80000000u), 0, -32768},
        {0x00018000, -32768, 1},
        {-2, -2, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value);
        EXPECT_EQ(LoWord(c.value), c.low);
        EXPECT_EQ(HiWord(c.value), c.high);
    }
}

using WrapperTest = SoundModuleTest;

TEST_F(WrapperTest, ConfigRecordHoldsTheFlagsInTheUpperHalf) {
    InitWaveMix();
    EXPECT_EQ(mixer.configBytes, (Bytes{0x0A, 0x00, 0x00, 0x00, 0x01, 0x00, 0x02, 0x00, 0x00, 0x00}));
}

TEST_F(WrapperTest, PlayRecordBytes) {
    struct Case {
        std::int32_t session, channel, wave, loops;
        Bytes bytes;
    };
    const Case cases[] = {
        {1, 0, 100, -1, {0x18, 0, 0x01, 0, 0, 0, 0, 0, 0, 0, 0x64, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x05, 0, 0xFF, 0xFF}},
        {0x12345678, 2, static_cast<std::int32_t>(0x89ABCDEFu), 0,
         {0x18, 0, 0x78, 0x56, 0x34, 0x12, 0x02, 0, 0, 0, 0xEF, 0xCD, 0xAB, 0x89, 0, 0, 0, 0, 0, 0, 0x05, 0, 0, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.session);
        MixSession = c.session;
        MixWaves = std::vector<std::int32_t>{0, 0, 0};
        (*MixWaves)[static_cast<std::size_t>(c.channel)] = c.wave;
        PlayWave(c.channel, c.loops);
        EXPECT_EQ(mixer.playBytes, c.bytes);
    }
}

TEST_F(WrapperTest, BeforeInitOnlyTheFlushReachesTheLibrary) {
    PlayWave(0, -1);
    FlushChannel(0);
    CloseWaveMix();
    EXPECT_EQ(log, (Log{"WaveMixFlushChannel(0, 0, 0)"}));
}

TEST_F(WrapperTest, FailedActivationClosesTheSessionItConfigured) {
    mixer.activateResult = 1;
    EXPECT_EQ(InitWaveMix(), 0);
    EXPECT_EQ(log, (Log{"WaveMixConfigureInit", "WaveMixActivate(41, -1)", "WaveMixCloseSession(41)"}));
    EXPECT_EQ(MixSession, 0);
    EXPECT_EQ(MixWaves, (std::vector<std::int32_t>{0}));

    // Sound stays off: only flushes still pass, with session 0.
    log.clear();
    PlayWave(0, -1);
    FlushChannel(0);
    CloseWaveMix();
    EXPECT_EQ(log, (Log{"WaveMixFlushChannel(0, 0, 0)"}));
}

TEST_F(WrapperTest, OpenStartsTheSessionAndOpensEachChannelAfterItsWave) {
    EXPECT_EQ(InitWaveMix(), -1);
    EXPECT_EQ(log, (Log{"WaveMixConfigureInit", "WaveMixActivate(41, -1)"}));
    log.clear();
    OpenWave("/games/0000_000.x25", 0);
    OpenWave("/games/0000_001.x25", 1);
    EXPECT_EQ(log, (Log{"WaveMixOpenWave(41, /games/0000_000.x25, 0, 0)", "WaveMixOpenChannel(41, 0, 0)",
                        "WaveMixOpenWave(41, /games/0000_001.x25, 0, 0)", "WaveMixOpenChannel(41, 1, 0)"}));
    EXPECT_EQ(MixWaves, (std::vector<std::int32_t>{100, 101}));
}

TEST_F(WrapperTest, WaveTableGrowsToTheChannelAndNeverShrinks) {
    mixer.waves = {{"a", 7}, {"b", 8}, {"c", 9}, {"bad", 0}};
    InitWaveMix();
    OpenWave("a", 3);
    EXPECT_EQ(MixWaves, (std::vector<std::int32_t>{0, 0, 0, 7}));
    OpenWave("b", 5);
    OpenWave("c", 3);
    EXPECT_EQ(MixWaves, (std::vector<std::int32_t>{0, 0, 0, 9, 0, 8}));
    // A file the library could not open keeps the handle it returned.
    OpenWave("bad", 5);
    EXPECT_EQ(MixWaves, (std::vector<std::int32_t>{0, 0, 0, 9, 0, 0}));
}

TEST_F(WrapperTest, PlayGoesOnlyToChannelsInTheTable) {
    OpenEightChannels();
    PlayWave(8, 0);
    EXPECT_TRUE(log.empty());
    PlayWave(7, 0);
    PlayWave(0, -1);
    EXPECT_EQ(log, (Log{PlayEntry(41, 7, 107, 0), PlayEntry(41, 0, 100, 0xFFFF)}));
}

TEST_F(WrapperTest, CloseFlushesAndFreesEachOpenedWaveInChannelOrderThenCloses) {
    mixer.waves = {{"/games/1", 0}};  // channel 1's file did not open
    OpenEightChannels();
    CloseWaveMix();
    Log expected;
    for (int channel : {0, 2, 3, 4, 5, 6, 7}) {
        expected.push_back("WaveMixFlushChannel(41, " + std::to_string(channel) + ", 0)");
        expected.push_back("WaveMixFreeWave(41, " + std::to_string(100 + channel) + ")");
    }
    expected.push_back("WaveMixCloseSession(41)");
    EXPECT_EQ(log, expected);
    EXPECT_EQ(MixSession, 0);
    EXPECT_EQ(MixWaves->size(), 8u);  // the handles stay where they were
}

TEST_F(WrapperTest, AfterCloseNothingButFlushesReachTheLibrary) {
    OpenEightChannels();
    CloseWaveMix();
    log.clear();
    PlayWave(0, -1);
    CloseWaveMix();
    FlushChannel(0);
    EXPECT_EQ(log, (Log{"WaveMixFlushChannel(0, 0, 0)"}));
}

}  // namespace
