#include <climits>
#include <random>

#include "platform/profile.h"
#include "scores/score_fixture.h"

namespace {

std::string ReadKey(const std::string& file, const std::string& section, const std::string& key) {
    char buffer[256];
    const std::uint32_t n = platform::GetPrivateProfileStringA(section, key, "<none>", buffer, sizeof buffer, file);
    return std::string(buffer, n);
}

// The file minus one line, to show that a write changed nothing else.
std::string WithoutLine(std::string text, const std::string& line) {
    const std::size_t at = text.find(line);
    if (at != std::string::npos) text.erase(at, line.size());
    return text;
}

TEST_F(ScoreFileTest, TheSectionStandsBesideTheOptionsWithoutTouchingThem) {
    const std::string options = "; Void Raider\r\n[Options]\r\nSoundFX_Toggle=1\r\nMusic_Toggle=0\r\nGameSpeed=10\r\n";
    LoadFrom(options);
    AddHighScore("Ann", 120);
    AddHighScore(" Bob ", 300);
    EXPECT_EQ(Slurp(ini_), options + "\r\n[HiScores]\r\nScore1=300;Bob\r\nScore2=120;Ann\r\n");

    const std::string between = "[Options]\nA=1\n\n[HiScores]\nScore1=50;Old\n\n[Other]\nX=y\n";
    LoadFrom(between);
    AddHighScore("New", 60);
    EXPECT_EQ(Slurp(ini_), "[Options]\nA=1\n\n[HiScores]\nScore1=60;New\nScore2=50;Old\n\n[Other]\nX=y\n");
}

struct NameCase {
    const char* what;
    std::string typed;
    std::string stored;  // the value in the file
    std::string reloaded;
};

TEST_F(ScoreFileTest, NamesAreStoredTrimmedAndOtherwiseUnchanged) {
    const NameCase cases[] = {
        {"blanks around", "  Bob  ", "7;Bob", "Bob"},
        {"tabs around", "\tAnn\t", "7;Ann", "Ann"},
        {"inner blanks kept", "Mary  Ann", "7;Mary  Ann", "Mary  Ann"},
        {"semicolons", "A;B;", "7;A;B;", "A;B;"},
        {"empty", "", "7;", ""},
        {"quotes", "'Q'", "7;'Q'", "'Q'"},
        {"UTF-8", "J\xC3\xBCrgen \xE5\x90\x8D", "7;J\xC3\xBCrgen \xE5\x90\x8D", "J\xC3\xBCrgen \xE5\x90\x8D"},
        {"a line break cannot split the file's line", "Two\nLines", "7;Two Lines", "Two Lines"},
    };
    for (const NameCase& c : cases) {
        std::filesystem::remove(ini_);
        LoadHighScores(ini_);
        AddHighScore(c.typed, 7);
        EXPECT_EQ(HighScores[1].Name, c.typed) << c.what << ": memory keeps the name as typed";
        EXPECT_EQ(ReadKey(ini_, "HiScores", "Score1"), c.stored) << c.what;
        EXPECT_EQ(Reloaded(), (Places{{c.reloaded, 7}})) << c.what;
    }
}

TEST_F(ScoreFileTest, EveryValueTheProgramWritesReadsBackUnchanged) {
    std::mt19937 random(11);
    const std::string fragments[] = {"a", "Z", "0", ";", " ", "-", "\xC3\xA9", "\xE2\x82\xAC", "\xF0\x9F\x9A\x80", "="};
    std::vector<std::int32_t> scores = {0, 1, -1, INT_MAX, INT_MIN, 500};
    for (int i = 0; i < 30; ++i) scores.push_back(static_cast<std::int32_t>(random()));
    for (const std::int32_t score : scores) {
        std::string name = "n";
        const int length = static_cast<int>(random() % 15);
        for (int k = 0; k < length; ++k) name += fragments[random() % std::size(fragments)];
        name += "e";  // no blanks at either end: those are dropped by design
        std::filesystem::remove(ini_);
        LoadHighScores(ini_);
        AddHighScore(name, score);
        EXPECT_EQ(Reloaded(), (Places{{name, score}}));
    }
}

struct ValueCase {
    std::string value;
    std::int32_t score;
    std::string name;
};

TEST_F(ScoreFileTest, MalformedPlacesReadAsWhatTheyHoldNotAsLeftovers) {
    const ValueCase cases[] = {
        {"777", 777, ""},
        {"garbage", 0, ""},
        {"-12", -12, ""},
        {"abc;Bob", 0, ""},
        {";Bob", 0, ""},
        {"5;", 5, ""},
        {"1;2;3", 1, "2;3"},
        {"2147483647;Max", INT_MAX, "Max"},
        {"-2147483648;Min", INT_MIN, "Min"},
        {"2147483648;Over", 0, ""},
        {"-2147483649;Under", 0, ""},
        {"99999999999999999999999;Big", 0, ""},
        {"12.5;Fraction", 0, ""},
        {"0x10;Hex", 0, ""},
        {"-;Sign", 0, ""},
        {"+7;Plus", 7, "Plus"},
        {"42 ;Blank", 42, "Blank"},
        {"4 2;Split", 0, ""},
    };
    for (const ValueCase& c : cases) {
        LoadFrom(HiScoresSection(Places(5, {"Stale", 4242})));
        LoadFrom("[HiScores]\nScore1=" + c.value + "\n");
        ASSERT_EQ(ScoreCount, 1) << c.value;
        EXPECT_EQ(Place(HighScores[1].Name, HighScores[1].Score), Place(c.name, c.score)) << c.value;
    }
}

struct EncodingCase {
    const char* what;
    std::string stored;
    std::string shown;
};

TEST_F(ScoreFileTest, NamesThatAreNotUtf8AreReadAsWindows1252) {
    const EncodingCase cases[] = {
        {"Latin letters", "J\xFCrgen Caf\xE9", "J\xC3\xBCrgen Caf\xC3\xA9"},
        {"the euro sign and quotes", "\x80 \x93x\x94", "\xE2\x82\xAC \xE2\x80\x9Cx\xE2\x80\x9D"},
        {"the last code", "\xFF\x9F", "\xC3\xBF\xC5\xB8"},
        {"undefined codes", "a\x81\x8D\x8F\x90\x9D", "a\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD"},
        {"valid UTF-8 stays", "J\xC3\xBCrgen \xF0\x9F\x9A\x80", "J\xC3\xBCrgen \xF0\x9F\x9A\x80"},
        {"valid then invalid: all of it is 1252", "\xC3\xA9t\xE9", "\xC3\x83\xC2\xA9t\xC3\xA9"},
        {"overlong forms", "\xC0\xAF \xE0\x80\xAF", "\xC3\x80\xC2\xAF \xC3\xA0\xE2\x82\xAC\xC2\xAF"},
        {"surrogate", "\xED\xA0\x80", "\xC3\xAD\xC2\xA0\xE2\x82\xAC"},
        {"beyond U+10FFFF", "\xF4\x90\x80\x80", "\xC3\xB4\xEF\xBF\xBD\xE2\x82\xAC\xE2\x82\xAC"},
        {"an unfinished character in a short value", "ab\xC3", "ab\xC3\x83"},
    };
    for (const EncodingCase& c : cases) {
        LoadFrom("[HiScores]\nScore1=1;" + c.stored + "\n");
        EXPECT_EQ(HighScores[1].Name, c.shown) << c.what;
    }
}

TEST_F(ScoreFileTest, AValueCutByTheReadLosesOnlyTheSplitCharacter) {
    std::string name;
    for (int i = 0; i < 200; ++i) name += "\xC3\xA9";
    LoadFrom("[HiScores]\nScore1=12;" + name + "\n");
    // 254 characters are read: "12;" and 251 bytes of name, the last of them half an e-acute.
    EXPECT_EQ(HighScores[1].Name, name.substr(0, 250));
}

TEST_F(ScoreFileTest, GarbageInTheSectionIsSurvivedAndTheNextEntryIsClean) {
    std::mt19937 random(3);
    std::string garbage;
    for (int i = 0; i < 32 * 1024; ++i) garbage += static_cast<char>(random() & 0xFF);
    std::erase(garbage, '[');  // keep it inside the section
    const std::string options = "[Options]\nGameSpeed=10\n";
    const std::string file = "[HiScores]\n" + garbage + "\n" + options;
    LoadFrom(file);
    ASSERT_EQ(ScoreCount, 0) << "this seed's garbage holds no place key";

    AddHighScore("Ann", 10);
    EXPECT_EQ(WithoutLine(Slurp(ini_), "Score1=10;Ann\n"), file);
    EXPECT_EQ(Reloaded(), (Places{{"Ann", 10}}));
    EXPECT_EQ(ReadKey(ini_, "Options", "GameSpeed"), "10");
}

TEST_F(ScoreFileTest, HugeValuesAndThousandsOfKeysAreReadAsFarAsTheyGo) {
    std::string file = "[Options]\nGameSpeed=10\n[HiScores]\n";
    for (int i = 0; i < 5000; ++i) file += "Key" + std::to_string(i) + "=" + std::to_string(i) + ";x\n";
    const std::string hugeName(1 << 18, 'n');
    file += "Score1=5;" + hugeName + "\n";
    file += "Score2=" + std::string(1 << 18, '9') + ";digits\n";
    file += "Score3=" + std::string("4;\x01\x02\x7F\x00\xFE", 7) + "\n";
    file += "Score4=3;ok\nScore5=2;fine\nScore6=1;never read\n";
    LoadFrom(file);
    ASSERT_EQ(ScoreCount, 5);
    EXPECT_EQ(HighScores[1].Name, hugeName.substr(0, 254 - 2));
    EXPECT_EQ(Place(HighScores[2].Name, HighScores[2].Score), Place("", 0)) << "cut before its ';'";
    EXPECT_EQ(HighScores[4].Name, "ok");

    AddHighScore("Top", 100);
    const std::string after = Slurp(ini_);
    EXPECT_LT(after.size(), file.size() - 2 * hugeName.size() + 1000) << "the huge values are rewritten short";
    EXPECT_EQ(after.substr(0, 33), "[Options]\nGameSpeed=10\n[HiScores]");
    EXPECT_NE(after.find("Key4999=4999;x\n"), std::string::npos);
    EXPECT_EQ(Reloaded()[0], Place("Top", 100));
    const Places table = Reloaded();
    ASSERT_EQ(table.size(), 5u);
    // Control bytes are valid UTF-8 and kept; the NUL becomes a blank in the file.
    EXPECT_EQ(table[2].first, std::string("\x01\x02\x7F \xC3\xBE", 6));
}

TEST_F(ScoreFileTest, AnyBytesInANameLoadAndSaveWithoutHarm) {
    // Three places share the byte values, so that no value is cut by the read.
    std::string file = "[HiScores]\n";
    const int ranges[][2] = {{1, 0x80}, {0x80, 0xC0}, {0xC0, 0x100}};
    for (int place = 0; place < 3; ++place) {
        std::string name;
        for (int b = ranges[place][0]; b < ranges[place][1]; ++b) {
            if (b != '\n' && b != '\r') name += static_cast<char>(b);
        }
        file += "Score" + std::to_string(place + 1) + "=" + std::to_string(3 - place) + ";x" + name + "y\n";
    }
    LoadFrom(file);
    ASSERT_EQ(ScoreCount, 3);
    const Places shown = TableInMemory();
    AddHighScore("Next", 0);
    Places expected = shown;
    expected.emplace_back("Next", 0);
    EXPECT_EQ(Reloaded(), expected) << "the converted names save as valid UTF-8";
}

}  // namespace
