#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <algorithm>
#include <chrono>
#include <random>
#include <thread>

#include "scores/score_fixture.h"
#include "utf16_bytes.h"

namespace {

namespace fs = std::filesystem;

std::vector<std::string> shown;

class RecordingWindows final : public ScoreWindows {
public:
    void ShowDialog() override { ADD_FAILURE() << "no dialog opens here"; }
    void MessageBox(const std::string& text) override { shown.push_back(text); }
};

class ScoreFileFaults : public ScoreFileTest {
protected:
    void SetUp() override {
        ScoreFileTest::SetUp();
        shown.clear();
        SetScoreWindows(&windows_);
    }
    void TearDown() override {
        SetScoreWindows(nullptr);
        fs::permissions(dir_, fs::perms::owner_all, fs::perm_options::add);
        ScoreFileTest::TearDown();
    }
    RecordingWindows windows_;
};

// A writer killed at any moment of a score write leaves the old table or the new one, whole,
// and every other line of the file as it was.
TEST_F(ScoreFileFaults, AWriterKilledAtAnyMomentLeavesTheOldTableOrTheNew) {
    const std::string before =
        "; kept\r\n[Options]\r\nGameSpeed=10\r\n\r\n[HiScores]\r\nScore1=500;Ann\r\nScore2=400;Bo\r\n"
        "Score3=300;Cy\r\nScore4=200;Di\r\nScore5=100;Ed\r\n\r\n[Other]\r\nX=1\r\n";
    LoadFrom(before);
    AddHighScore("New", 350);
    const std::string after = Slurp(ini_);
    ASSERT_EQ(Reloaded(), (Places{{"Ann", 500}, {"Bo", 400}, {"New", 350}, {"Cy", 300}, {"Di", 200}}));

    // The child loads the table and adds the entry, as the dialog does; the parent kills it after
    // a random wait across the whole time such a child takes.
    const auto runChild = [&] {
        const pid_t pid = fork();
        if (pid == 0) {
            LoadHighScores(ini_);
            AddHighScore("New", 350);
            _exit(0);
        }
        return pid;
    };
    using Clock = std::chrono::steady_clock;
    Clock::duration whole{};
    for (int i = 0; i < 5; ++i) {
        Put(ini_, before);
        const auto start = Clock::now();
        const pid_t pid = runChild();
        ASSERT_GT(pid, 0);
        ASSERT_EQ(waitpid(pid, nullptr, 0), pid);
        whole = std::max(whole, Clock::now() - start);
    }

    std::mt19937 random(17);
    int old = 0, replaced = 0;
    // Random moments until both outcomes have come, so that a run proves both.
    for (int round = 0; round < 300 || ((old == 0 || replaced == 0) && round < 3000); ++round) {
        Put(ini_, before);
        const auto wait = std::chrono::duration_cast<std::chrono::microseconds>(whole) * (random() % 1000) / 800;
        const pid_t pid = runChild();
        ASSERT_GT(pid, 0);
        std::this_thread::sleep_for(wait);
        kill(pid, SIGKILL);
        ASSERT_EQ(waitpid(pid, nullptr, 0), pid);
        const std::string now = Slurp(ini_);
        ASSERT_TRUE(now == before || now == after) << "round " << round << " left:\n" << now;
        (now == before ? old : replaced) += 1;
        const std::vector<std::string> entries = Entries(dir_);
        ASSERT_TRUE(entries == std::vector<std::string>{"VOIDRAID.INI"} ||
                    entries == (std::vector<std::string>{".VOIDRAID.INI.new", "VOIDRAID.INI"}))
            << "round " << round << ": " << entries.size() << " files";
    }
    EXPECT_GT(old, 0) << "no kill came before the write";
    EXPECT_GT(replaced, 0) << "no kill came after the write";

    // The next write takes over whatever a killed one left (an entry that makes the table: one
    // that does not writes nothing).
    LoadHighScores(ini_);
    AddHighScore("Last", 1000);
    EXPECT_EQ(Entries(dir_), std::vector<std::string>{"VOIDRAID.INI"});
    EXPECT_TRUE(shown.empty());
}

struct UnsavedCase {
    const char* what;
    std::function<void(const std::string& ini)> prepare;
    std::string reason;
};

TEST_F(ScoreFileFaults, ATableThatCannotBeSavedIsToldOnceAndStillShown) {
    const std::string table = HiScoresSection({{"Ann", 500}, {"Bo", 400}});
    const UnsavedCase cases[] = {
        {"a read-only file", [&](const std::string& ini) { Put(ini, table), fs::permissions(ini, fs::perms(0444)); },
         "the file is read-only"},
        {"a folder in the file's place", [](const std::string& ini) { fs::create_directory(ini); },
         "a folder stands in its place"},
    };
    for (const UnsavedCase& c : cases) {
        shown.clear();
        fs::remove_all(ini_);
        c.prepare(ini_);
        LoadHighScores(ini_);
        const Places loaded = TableInMemory();
        AddHighScore("New", 450);
        const std::string message = "The high scores could not be saved in " + ini_ + ": " + c.reason + ".";
        EXPECT_EQ(shown, std::vector<std::string>{message}) << c.what;
        Places expected = loaded;
        expected.insert(std::find_if(expected.begin(), expected.end(), [](const Place& p) { return p.second < 450; }),
                        {"New", 450});
        EXPECT_EQ(TableInMemory(), expected) << c.what << ": the dialog shows the entry";
        EXPECT_EQ(Reloaded(), loaded) << c.what << ": the file keeps the old table";
        fs::permissions(ini_, fs::perms::owner_all, fs::perm_options::add);
    }

    shown.clear();
    fs::remove_all(ini_);
    LoadHighScores(ini_);
    AddHighScore("Saved", 1);
    EXPECT_TRUE(shown.empty()) << "a table that was saved is not mentioned";
}

struct EditorCase {
    const char* what;
    std::string file;
    std::string mark;     // how the file begins, and still begins after the entry
    std::string heading;  // "[HiScores]" in the file's form
};

// Files saved by other editors: the old table shows, and a new entry joins it in its one section.
TEST_F(ScoreFileFaults, TablesSavedByOtherEditorsShowAndGrowInTheirOwnForm) {
    const EditorCase cases[] = {
        {"UTF-8 mark",
         "\xEF\xBB\xBF[HiScores]\r\nScore1=500;Zo\xC3\xAB\r\nScore2=400;Bo\r\n[Options]\r\nGameSpeed=10\r\n",
         "\xEF\xBB\xBF", "[HiScores]"},
        {"UTF-16 little end first", Utf16(u"\uFEFF[HiScores]\r\nScore1=500;Zo\u00EB\r\nScore2=400;Bo\r\n", false),
         Utf16(u"\uFEFF", false), Utf16(u"[HiScores]", false)},
        {"UTF-16 big end first", Utf16(u"\uFEFF[HiScores]\r\nScore1=500;Zo\u00EB\r\nScore2=400;Bo\r\n", true),
         Utf16(u"\uFEFF", true), Utf16(u"[HiScores]", true)},
        {"CR line ends", "[HiScores]\rScore1=500;Zo\xC3\xAB\rScore2=400;Bo\r[Options]\rGameSpeed=10\r", "[HiScores]\r",
         "[HiScores]"},
    };
    for (const EditorCase& c : cases) {
        LoadFrom(c.file);
        EXPECT_EQ(TableInMemory(), (Places{{"Zo\xC3\xAB", 500}, {"Bo", 400}})) << c.what;
        AddHighScore("New", 450);
        EXPECT_EQ(Reloaded(), (Places{{"Zo\xC3\xAB", 500}, {"New", 450}, {"Bo", 400}})) << c.what;
        const std::string after = Slurp(ini_);
        EXPECT_EQ(after.substr(0, c.mark.size()), c.mark) << c.what;
        EXPECT_EQ(after.find(c.heading, after.find(c.heading) + 1), std::string::npos)
            << c.what << ": a second section";
        EXPECT_TRUE(shown.empty()) << c.what;
    }
}

}  // namespace
