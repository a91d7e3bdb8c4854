#include "frontend/settings.h"
#include "platform/profile.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

namespace {

// The Preferences controls at their design values, with every write recorded.
class FakeControls : public PreferenceControls {
public:
    std::int16_t effects = 1;
    std::int16_t music = 0;
    std::int32_t speed = SpeedDesignValue;
    std::vector<std::string> writes;

    std::int16_t EffectsValue() const override { return effects; }
    void SetEffectsValue(std::int16_t value) override {
        effects = value;
        writes.push_back("effects=" + std::to_string(value));
    }
    std::int16_t MusicValue() const override { return music; }
    void SetMusicValue(std::int16_t value) override {
        music = value;
        writes.push_back("music=" + std::to_string(value));
    }
    std::int32_t SpeedValue() const override { return speed; }
    void SetSpeedValue(std::int32_t value) override {
        speed = value;
        writes.push_back("speed=" + std::to_string(value));
    }
};

class SettingsFile : public ::testing::Test {
protected:
    void SetUp() override {
        directory_ = std::filesystem::temp_directory_path() /
                     ("vr-settings-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
                      ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(directory_);
        std::filesystem::create_directories(directory_);
        path_ = (directory_ / "VOIDRAID.INI").string();
    }
    void TearDown() override { std::filesystem::remove_all(directory_); }

    void Write(const std::string& text) const { std::ofstream(path_, std::ios::binary) << text; }
    std::string Read() const {
        std::ifstream in(path_, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }

    std::filesystem::path directory_;
    std::string path_;
};

TEST_F(SettingsFile, MissingFileKeepsTheDesignValuesAndCreatesNothing) {
    FakeControls controls;
    LoadSettingsInto(controls, path_);
    EXPECT_TRUE(controls.writes.empty());
    EXPECT_FALSE(std::filesystem::exists(path_));
}

TEST_F(SettingsFile, StoredValuesGoIntoTheControlsInKeyOrder) {
    Write("[options]\r\nsoundfx_toggle = 0\r\nMUSIC_TOGGLE=1\r\nGameSpeed=  24.5 \r\n");
    FakeControls controls;
    LoadSettingsInto(controls, path_);
    EXPECT_EQ(controls.writes, (std::vector<std::string>{"effects=0", "music=1", "speed=24"}));
}

TEST_F(SettingsFile, ValuesTheControlsCannotHoldAreBroughtIntoTheirRange) {
    struct Case {
        const char* stored;
        std::vector<std::string> writes;
    };
    const Case cases[] = {
        {"SoundFX_Toggle=2\nMusic_Toggle=-1\nGameSpeed=0\n", {"effects=1", "music=0", "speed=1"}},
        {"SoundFX_Toggle=abc\nMusic_Toggle=9\nGameSpeed=500\n", {"effects=0", "music=1", "speed=66"}},
        {"SoundFX_Toggle=\nMusic_Toggle=\nGameSpeed=25.5\n", {"speed=26"}},  // empty: design value
        {"GameSpeed=fast\n", {"speed=1"}},  // never 0, which would stop the game
    };
    for (const Case& c : cases) {
        Write(std::string("[Options]\n") + c.stored);
        FakeControls controls;
        LoadSettingsInto(controls, path_);
        EXPECT_EQ(controls.writes, c.writes) << c.stored;
    }
}

TEST_F(SettingsFile, AHugeFileWithLongLinesIsReadToItsEnd) {
    std::string text = "[Junk]\n";
    for (int i = 0; i < 8000; ++i) text += "Key" + std::to_string(i) + "=" + std::string(100, 'x') + "\n";
    text += "Long=" + std::string(100000, 'y') + "\n[Options]\nGameSpeed=" + std::string(300, '4');
    Write(text);  // no final newline either
    FakeControls controls;
    LoadSettingsInto(controls, path_);
    // 300 digits are cut to 255 by the profile reader; any of them is far above the range.
    EXPECT_EQ(controls.writes, (std::vector<std::string>{"speed=66"}));
}

TEST_F(SettingsFile, AFileTooLargeForSettingsIsNeitherReadNorWrittenOver) {
    const std::string text = "[Options]\nGameSpeed=40\nMusic_Toggle=1\n;" + std::string(platform::ProfileSizeLimit, '-');
    Write(text);
    FakeControls controls;
    EXPECT_TRUE(LoadSettingsInto(controls, path_).tooLarge);
    EXPECT_TRUE(controls.writes.empty()) << "the design values stay";
    EXPECT_EQ(SaveSettingsFrom(controls, path_), "it is larger than 1 MiB, too large for a settings file");
    EXPECT_EQ(Read(), text);

    Write("[Options]\nGameSpeed=40\n");
    const SettingsLoad load = LoadSettingsInto(controls, path_);
    EXPECT_FALSE(load.tooLarge);
    EXPECT_EQ(load.unreadable, "");
}

// Out of file handles at start: the file is there but unread, and the load says so, so that the
// exit does not write the design values over the player's.
TEST_F(SettingsFile, AFileTheSystemFailedToReadIsToldAsUnread) {
    Write("[Options]\nGameSpeed=40\n");
    const pid_t pid = fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        const rlimit none{0, 0};
        if (setrlimit(RLIMIT_NOFILE, &none) != 0) _exit(3);
        FakeControls controls;
        const SettingsLoad load = LoadSettingsInto(controls, path_);
        const bool told = load.unreadable == "too many open files" && !load.tooLarge;
        _exit(told && controls.writes.empty() ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(pid, &status, 0), pid);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "1: not told as unread, or values taken; 3: no limit set";

    FakeControls controls;
    const SettingsLoad missing = (std::filesystem::remove(path_), LoadSettingsInto(controls, path_));
    EXPECT_EQ(missing.unreadable, "") << "a missing file is no failure";
}

TEST_F(SettingsFile, OtherSectionsDoNotCount) {
    Write("[HiScores]\nGameSpeed=40\n[Options2]\nSoundFX_Toggle=0\n");
    FakeControls controls;
    LoadSettingsInto(controls, path_);
    EXPECT_TRUE(controls.writes.empty());
}

TEST_F(SettingsFile, SaveCreatesTheSectionWithTheThreeKeys) {
    FakeControls controls;
    controls.music = 1;
    controls.speed = 66;
    EXPECT_EQ(SaveSettingsFrom(controls, path_), "");
    EXPECT_EQ(Read(), "[Options]\nSoundFX_Toggle=1\nMusic_Toggle=1\nGameSpeed=66\n");
}

TEST_F(SettingsFile, SaveReplacesTheValuesAndLeavesTheHighScoresAlone) {
    const std::string scores = "[HiScores]\r\nScore1=5000;Ann ; the best\r\nScore2=10;Bob\r\n";
    Write(scores + "[Options]\r\nGameSpeed=12\r\nSoundFX_Toggle=0\r\n");
    FakeControls controls;
    controls.effects = 1;
    controls.speed = 33;
    SaveSettingsFrom(controls, path_);
    const std::string saved = Read();
    EXPECT_EQ(saved.substr(0, scores.size()), scores);
    FakeControls reloaded;
    reloaded.effects = 0;
    reloaded.music = 1;
    reloaded.speed = 1;
    LoadSettingsInto(reloaded, path_);
    EXPECT_EQ(reloaded.writes, (std::vector<std::string>{"effects=1", "music=0", "speed=33"}));
}

TEST_F(SettingsFile, AnUnwritablePlaceIsToldAndChangesNothing) {
    // A file where the directory should be: nothing can be created under it.
    Write("not a directory");
    const std::string inside = path_ + "/VOIDRAID.INI";
    FakeControls controls;
    EXPECT_EQ(SaveSettingsFrom(controls, inside), "a file stands where its folder should be");
    EXPECT_FALSE(std::filesystem::exists(inside));
    EXPECT_EQ(Read(), "not a directory");
}

TEST_F(SettingsFile, AnyFileContentGivesValuesInRange) {
    std::mt19937 random(20240613);
    const std::string fragments[] = {"[Options]", "[options]", "SoundFX_Toggle=", "Music_Toggle=", "GameSpeed=", "=",
                                  "\n", "\r\n", "\r", " ", "\t", ";", "[", "]", "-", ".", "e", "9", "0", "1",
                                  std::string(1, '\0'), "\xff\xfe", std::string(300, '7')};
    for (int round = 0; round < 300; ++round) {
        std::string text;
        const int length = static_cast<int>(random() % 40);
        for (int i = 0; i < length; ++i) text += fragments[random() % std::size(fragments)];
        if (round % 7 == 0) {
            for (int i = 0; i < 200; ++i) text += static_cast<char>(random() % 256);
        }
        Write(text);
        FakeControls controls;
        LoadSettingsInto(controls, path_);
        EXPECT_TRUE(controls.effects == 0 || controls.effects == 1) << round;
        EXPECT_TRUE(controls.music == 0 || controls.music == 1) << round;
        EXPECT_GE(controls.speed, SpeedMinimum) << round;
        EXPECT_LE(controls.speed, SpeedMaximum) << round;
    }
}

}  // namespace
