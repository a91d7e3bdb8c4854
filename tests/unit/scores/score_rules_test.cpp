#include <climits>

#include "scores/score_fixture.h"

namespace {

Places Scores(std::initializer_list<std::int32_t> scores) {
    Places places;
    for (const std::int32_t score : scores) places.emplace_back(std::string("P").append(std::to_string(places.size() + 1)), score);
    return places;
}

struct QualifyCase {
    const char* what;
    Places table;
    std::int32_t points;
    bool admitted;
};

TEST_F(ScoreFileTest, QualificationFollowsItsFourRulesInOrder) {
    const Places full = Scores({900, 800, 700, 600, 500});
    const Places outOfOrder = Scores({100, 900, 800, 700, 600});
    const QualifyCase cases[] = {
        {"empty table takes 0", {}, 0, true},
        {"empty table takes a negative score", {}, -5, true},
        {"partial table takes a score below all", Scores({300, 200}), 1, true},
        {"four places take anything", Scores({5, 4, 3, 2}), INT_MIN, true},
        {"full: above the fifth", full, 501, true},
        {"full: equal to the fifth", full, 500, false},
        {"full: below the fifth", full, 499, false},
        {"full: equal to a higher place", full, 900, true},
        {"full: above the best", full, INT_MAX, true},
        {"all five equal: that score", Scores({500, 500, 500, 500, 500}), 500, false},
        {"all five equal: one more", Scores({500, 500, 500, 500, 500}), 501, true},
        {"out of order: equal to the last key, although a place is lower", outOfOrder, 600, false},
        {"out of order: any place at or below counts", outOfOrder, 100, true},
        {"out of order: below every place", outOfOrder, 99, false},
        {"negative scores: the fifth", Scores({-1, -2, -3, -4, -5}), -5, false},
        {"negative scores: above the fifth", Scores({-1, -2, -3, -4, -5}), -4, true},
    };
    for (const QualifyCase& c : cases) {
        LoadFrom(HiScoresSection(c.table));
        ASSERT_EQ(ScoreCount, static_cast<std::int16_t>(c.table.size())) << c.what;
        const std::int32_t points = c.points;
        EXPECT_EQ(IsHighScore(points), c.admitted) << c.what;
        EXPECT_EQ(points, c.points);
    }
}

struct InsertCase {
    const char* what;
    Places before;
    Place entry;
    Places after;
    Place overflow;  // what place 6 holds when a full table lost one
};

TEST_F(ScoreFileTest, InsertionSortsStablyAndDropsTheLast) {
    const InsertCase cases[] = {
        {"into an empty table", {}, {"Ann", 0}, {{"Ann", 0}}, {}},
        {"below every place", {{"A", 300}, {"B", 200}}, {"C", 1}, {{"A", 300}, {"B", 200}, {"C", 1}}, {}},
        {"at the top", {{"A", 300}, {"B", 200}}, {"C", 999}, {{"C", 999}, {"A", 300}, {"B", 200}}, {}},
        {"a tie goes below its equals",
         {{"A", 900}, {"B", 800}, {"C", 800}, {"D", 700}},
         {"E", 800},
         {{"A", 900}, {"B", 800}, {"C", 800}, {"E", 800}, {"D", 700}},
         {}},
        {"full: the fifth replaced",
         {{"A", 900}, {"B", 800}, {"C", 700}, {"D", 600}, {"E", 500}},
         {"F", 501},
         {{"A", 900}, {"B", 800}, {"C", 700}, {"D", 600}, {"F", 501}},
         {"E", 500}},
        {"full: a tie with the third goes fourth",
         {{"A", 1000}, {"B", 950}, {"C", 900}, {"D", 850}, {"E", 800}},
         {"F", 900},
         {{"A", 1000}, {"B", 950}, {"C", 900}, {"F", 900}, {"D", 850}},
         {"E", 800}},
        {"full: of equal lowest scores the last one drops",
         {{"A", 9}, {"B", 5}, {"C", 5}, {"D", 5}, {"E", 5}},
         {"F", 6},
         {{"A", 9}, {"F", 6}, {"B", 5}, {"C", 5}, {"D", 5}},
         {"E", 5}},
        {"a table loaded out of order comes out sorted",
         {{"A", 100}, {"B", 900}, {"C", 500}},
         {"D", 700},
         {{"B", 900}, {"D", 700}, {"C", 500}, {"A", 100}},
         {}},
        {"ties of a loaded table keep their file order",
         {{"A", 5}, {"B", 9}, {"C", 5}, {"D", 9}},
         {"E", 5},
         {{"B", 9}, {"D", 9}, {"A", 5}, {"C", 5}, {"E", 5}},
         {}},
        {"full and reversed: the lowest drops",
         {{"A", 1}, {"B", 2}, {"C", 3}, {"D", 4}, {"E", 5}},
         {"F", 6},
         {{"F", 6}, {"E", 5}, {"D", 4}, {"C", 3}, {"B", 2}},
         {"A", 1}},
    };
    for (const InsertCase& c : cases) {
        std::filesystem::remove(ini_);
        LoadFrom(HiScoresSection(c.before));
        AddHighScore(c.entry.first, c.entry.second);
        EXPECT_EQ(TableInMemory(), c.after) << c.what;
        if (c.before.size() == TablePlaces) {
            EXPECT_EQ(Place(HighScores[6].Name, HighScores[6].Score), c.overflow) << c.what;
        }
        EXPECT_EQ(Reloaded(), c.after) << c.what << ": every place is written back";
    }
}

TEST_F(ScoreFileTest, AGapEndsTheTableAndOnlyTheTableIsRewritten) {
    LoadFrom("[HiScores]\nScore1=500;A\nScore2=400;B\nScore4=900;D\n");
    EXPECT_EQ(TableInMemory(), (Places{{"A", 500}, {"B", 400}}));

    AddHighScore("C", 450);
    EXPECT_EQ(Slurp(ini_), "[HiScores]\nScore1=500;A\nScore2=450;C\nScore4=900;D\nScore3=400;B\n");
    EXPECT_EQ(Reloaded(), (Places{{"A", 500}, {"C", 450}, {"B", 400}, {"D", 900}}))
        << "the old fourth key now continues the table";

    LoadFrom("[HiScores]\nScore1=500;A\nScore2=\nScore3=300;C\n");
    EXPECT_EQ(ScoreCount, 1) << "an empty value is a gap too";
}

TEST_F(ScoreFileTest, EntriesAboveTheTableKeepWhatTheyHeld) {
    LoadFrom(HiScoresSection({{"A", 5}, {"B", 4}, {"C", 3}}));
    LoadFrom(HiScoresSection({{"X", 9}}));
    EXPECT_EQ(ScoreCount, 1);
    EXPECT_EQ(TableInMemory(), (Places{{"X", 9}}));
    EXPECT_EQ(HighScores[2].Name, "B") << "nothing is cleared on loading";
}

// A stand-in for the dialog: records what it was shown and can enter a name as its Ok does.
struct FakeDialog {
    static inline int shown = 0;
    static inline bool viewOnly = false;
    static inline std::int32_t newScore = 0;
    static inline std::string title;
    static inline Places table;
    static inline std::string enterName;  // entered in the entry layout
    static inline bool pressOk = true;    // false: closed some other way

    static void Reset() {
        shown = 0;
        viewOnly = false;
        newScore = 0;
        title.clear();
        table.clear();
        enterName = "Zed";
        pressOk = true;
    }
    static void ShowModal() {
        ++shown;
        viewOnly = ViewOnly;
        newScore = NewScore;
        title = ScoreTitle;
        table = TableInMemory();
        if (!ViewOnly) AddHighScore(enterName, NewScore);
        if (pressOk) ResetScoreState();
    }
};

class FakeWindows final : public ScoreWindows {
public:
    void ShowDialog() override { FakeDialog::ShowModal(); }
    void MessageBox(const std::string& text) override { ADD_FAILURE() << "unexpected message: " << text; }
};

class ShowHighScoresTest : public ScoreFileTest {
protected:
    void SetUp() override {
        ScoreFileTest::SetUp();
        FakeDialog::Reset();
        SetScoreWindows(&windows_);
    }
    FakeWindows windows_;
};

const char Title[] = "VR-717 'Void Raider'";

TEST_F(ShowHighScoresTest, ViewModeShowsTheFileAndLooksAtNoScore) {
    const std::string file = "[Options]\nGameSpeed=10\n\n" + HiScoresSection({{"A", 500}, {"B", 400}});
    Put(ini_, file);
    ShowHighScores(0, Title, ini_, true);
    EXPECT_EQ(FakeDialog::shown, 1);
    EXPECT_TRUE(FakeDialog::viewOnly);
    EXPECT_EQ(FakeDialog::title, Title);
    EXPECT_EQ(FakeDialog::table, (Places{{"A", 500}, {"B", 400}}));
    EXPECT_EQ(Slurp(ini_), file) << "viewing writes nothing";
    EXPECT_FALSE(ViewOnly);
    EXPECT_EQ(ScoreCount, 0);
}

TEST_F(ShowHighScoresTest, EntryModeAsksOnlyForAQualifyingScore) {
    const std::string full = HiScoresSection({{"A", 900}, {"B", 800}, {"C", 700}, {"D", 600}, {"E", 500}});
    Put(ini_, full);
    ShowHighScores(500, Title, ini_, false);
    EXPECT_EQ(FakeDialog::shown, 0) << "a tie with the fifth place";
    EXPECT_EQ(Slurp(ini_), full);

    ShowHighScores(501, Title, ini_, false);
    EXPECT_EQ(FakeDialog::shown, 1);
    EXPECT_FALSE(FakeDialog::viewOnly);
    EXPECT_EQ(FakeDialog::newScore, 501);
    EXPECT_EQ(Reloaded(), (Places{{"A", 900}, {"B", 800}, {"C", 700}, {"D", 600}, {"Zed", 501}}));
    EXPECT_EQ(Slurp(ini_).find("500;E"), std::string::npos) << "the old fifth is gone from the file";
    EXPECT_EQ(NewScore, 0);
}

TEST_F(ShowHighScoresTest, WithoutAFileAnyGameEntersTheTable) {
    ShowHighScores(0, Title, ini_, true);
    EXPECT_EQ(FakeDialog::shown, 1);
    EXPECT_TRUE(FakeDialog::table.empty());
    EXPECT_FALSE(std::filesystem::exists(ini_)) << "viewing creates no file";

    ShowHighScores(0, Title, ini_, false);
    EXPECT_EQ(FakeDialog::shown, 2);
    EXPECT_FALSE(FakeDialog::viewOnly) << "the view before left entry mode for the next game";
    EXPECT_EQ(Slurp(ini_), "[HiScores]\nScore1=0;Zed\n");
}

TEST_F(ShowHighScoresTest, ADialogClosedWithoutOkStillLeavesEntryModeForTheNextGame) {
    FakeDialog::pressOk = false;
    ShowHighScores(0, Title, ini_, true);
    ShowHighScores(10, Title, ini_, false);
    EXPECT_EQ(FakeDialog::shown, 2);
    EXPECT_FALSE(FakeDialog::viewOnly);
    EXPECT_EQ(Reloaded(), (Places{{"Zed", 10}}));
}

TEST_F(ShowHighScoresTest, EveryCallReadsTheFileAfresh) {
    Put(ini_, HiScoresSection({{"A", 5}}));
    ShowHighScores(0, Title, ini_, true);
    Put(ini_, HiScoresSection({{"B", 7}, {"C", 6}}));
    ShowHighScores(0, "Other title", ini_, true);
    EXPECT_EQ(FakeDialog::table, (Places{{"B", 7}, {"C", 6}}));
    EXPECT_EQ(FakeDialog::title, "Other title");
    EXPECT_EQ(ScoreFile, ini_);
}

// A missing dialog is found by the first game that ends, whether or not its score qualifies.
using ScoreSeamDeathTest = ScoreFileTest;

TEST_F(ScoreSeamDeathTest, NoDialogInstalledAbortsNamingTheSeamAndWritesNothing) {
    const std::string full = HiScoresSection({{"A", 900}, {"B", 800}, {"C", 700}, {"D", 600}, {"E", 500}});
    Put(ini_, full);
    const char* message = "high-score windows \\(SetScoreWindows\\) used before it was set";
    EXPECT_DEATH(ShowHighScores(100, Title, ini_, false), message);
    EXPECT_DEATH(ShowHighScores(0, Title, ini_, true), message);
    EXPECT_EQ(Slurp(ini_), full);
}

}  // namespace
