// Two copies of the program sharing one settings file: each confirmed entry is added to the
// table as the file holds it then, never to a table read before the other copy saved.
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>

#include "scores/score_fixture.h"

namespace {

const Places Negatives = {{"n1", -1}, {"n2", -2}, {"n3", -3}, {"n4", -4}, {"n5", -5}};

struct MergeCase {
    const char* what;
    Places before;  // the table both copies read
    Places saved;   // what the other copy saved since
    Place entry;    // this copy's entry
    Places shown;   // the table in this copy's dialog
    Places after;   // the table in the file
};

TEST_F(ScoreFileTest, AnEntrySavedMeanwhileByAnotherCopyIsKept) {
    const MergeCase cases[] = {
        {"both qualify", Negatives, {{"Alice", 0}, {"n1", -1}, {"n2", -2}, {"n3", -3}, {"n4", -4}}, {"Bob", 0},
         {{"Bob", 0}, {"n1", -1}, {"n2", -2}, {"n3", -3}, {"n4", -4}},
         {{"Alice", 0}, {"Bob", 0}, {"n1", -1}, {"n2", -2}, {"n3", -3}}},
        {"the other's higher entry stays above", {{"A", 9}}, {{"Alice", 20}, {"A", 9}}, {"Bob", 10},
         {{"Bob", 10}, {"A", 9}}, {{"Alice", 20}, {"Bob", 10}, {"A", 9}}},
        {"the other copy's entries push this one out", Negatives,
         {{"a", 5}, {"b", 4}, {"c", 3}, {"d", 2}, {"e", 1}}, {"Bob", 0},
         {{"Bob", 0}, {"n1", -1}, {"n2", -2}, {"n3", -3}, {"n4", -4}}, {{"a", 5}, {"b", 4}, {"c", 3}, {"d", 2}, {"e", 1}}},
        {"a tie with the fifth saved meanwhile is refused there", Negatives,
         {{"a", 5}, {"b", 4}, {"c", 3}, {"d", 2}, {"e", 0}}, {"Bob", 0},
         {{"Bob", 0}, {"n1", -1}, {"n2", -2}, {"n3", -3}, {"n4", -4}}, {{"a", 5}, {"b", 4}, {"c", 3}, {"d", 2}, {"e", 0}}},
        {"the file was emptied meanwhile", Negatives, {}, {"Bob", 0},
         {{"Bob", 0}, {"n1", -1}, {"n2", -2}, {"n3", -3}, {"n4", -4}}, {{"Bob", 0}}},
    };
    for (const MergeCase& c : cases) {
        LoadFrom("[Options]\nGameSpeed=10\n" + HiScoresSection(c.before));
        Put(ini_, "[Options]\nGameSpeed=10\n" + HiScoresSection(c.saved));
        AddHighScore(c.entry.first, c.entry.second);
        EXPECT_EQ(TableInMemory(), c.shown) << c.what;
        EXPECT_EQ(Reloaded(), c.after) << c.what;
        EXPECT_NE(Slurp(ini_).find("[Options]\nGameSpeed=10\n"), std::string::npos) << c.what;
    }
}

// Two real writers, each with the table it read before either saved, confirming together.
TEST_F(ScoreFileTest, TwoWritersConfirmingAtOnceBothKeepTheirEntries) {
    for (int round = 0; round < 20; ++round) {
        Put(ini_, HiScoresSection(Negatives));
        int go[2], ready[2];
        ASSERT_EQ(pipe(go), 0);
        ASSERT_EQ(pipe(ready), 0);
        std::vector<pid_t> writers;
        for (const char* name : {"Alice", "Bob"}) {
            const pid_t pid = fork();
            ASSERT_GE(pid, 0);
            if (pid == 0) {
                close(go[1]);
                LoadHighScores(ini_);
                if (write(ready[1], "r", 1) != 1) _exit(3);
                char start;
                if (read(go[0], &start, 1) != 0) _exit(3);  // the pipe closes for both at once
                AddHighScore(name, round % 3);
                _exit(0);
            }
            writers.push_back(pid);
        }
        close(go[0]);
        close(ready[1]);
        // Both have read the table before either saves.
        for (int loaded = 0; loaded < 2;) {
            char byte;
            ASSERT_EQ(read(ready[0], &byte, 1), 1);
            ++loaded;
        }
        close(ready[0]);
        close(go[1]);
        for (const pid_t pid : writers) {
            int status = 0;
            ASSERT_EQ(waitpid(pid, &status, 0), pid);
            ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
        }
        const Places after = Reloaded();
        ASSERT_EQ(after.size(), 5u);
        const auto has = [&](const char* name) {
            return std::any_of(after.begin(), after.end(), [&](const Place& p) { return p.first == name; });
        };
        EXPECT_TRUE(has("Alice") && has("Bob")) << "round " << round;
        EXPECT_EQ(after[2], Place("n1", -1)) << "round " << round;
    }
}

}  // namespace
