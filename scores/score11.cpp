#include "scores/score11_table.h"

#include <utility>

#include "platform/profile.h"
#include "platform/seam.h"

HighScoreEntry HighScores[TablePlaces + 2];
std::int16_t ScoreCount = 0;
std::int32_t NewScore = 0;
std::string ScoreFile;
bool ViewOnly = false;
std::string ScoreTitle;

namespace {

const std::string ScoreSection = "HiScores";
constexpr std::uint32_t ValueBufferSize = 255;

ScoreWindows* Windows = nullptr;

ScoreWindows& TheWindows() { return platform::SeamOrAbort(Windows, "the high-score windows (SetScoreWindows)"); }

std::string ScoreKey(int place) { return "Score" + std::to_string(place); }

}  // namespace

void SetScoreWindows(ScoreWindows* windows) { Windows = windows; }

void ShowHighScores(std::int32_t Points, std::string Title, std::string IniFile, bool ShowTableOnly) {
    ScoreWindows& windows = TheWindows();
    ScoreFile = std::move(IniFile);
    ScoreTitle = std::move(Title);
    LoadHighScores(ScoreFile);
    if (ShowTableOnly) {
        ViewOnly = true;
    } else if (IsHighScore(Points)) {
        NewScore = Points;
    } else {
        return;
    }
    windows.ShowDialog();
    // The dialog resets this on OK; doing it again covers any other way it was closed, since a
    // ViewOnly left true would let the next qualifying game pass without asking for a name.
    ResetScoreState();
}

void LoadHighScores(const std::string& IniFile) {
    for (int place = 1; place <= TablePlaces; ++place) {
        char buffer[ValueBufferSize];
        const std::uint32_t n =
            platform::GetPrivateProfileStringA(ScoreSection, ScoreKey(place), "", buffer, ValueBufferSize, IniFile);
        // The first missing or empty key ends the table; places above keep what they held.
        if (n < 1) {
            ScoreCount = static_cast<std::int16_t>(place - 1);
            return;
        }
        HighScores[place] = ParseScoreValue(std::string_view(buffer, n), n == ValueBufferSize - 1);
    }
    ScoreCount = TablePlaces;
}

bool IsHighScore(const std::int32_t& Points) {
    // A tie with the fifth place is refused even when higher places share that score.
    if (ScoreCount == TablePlaces && Points == HighScores[TablePlaces].Score) return false;
    if (ScoreCount < TablePlaces) return true;
    for (int place = 1; place <= TablePlaces; ++place) {
        if (HighScores[place].Score <= Points) return true;
    }
    return false;
}

void AddHighScore(std::string PlayerName, std::int32_t Points) {
    const int n = ScoreCount + 1;
    HighScores[n] = HighScoreEntry{std::move(PlayerName), Points};
    // Swapping only on a strictly greater score keeps ties in their order, so the new entry ends
    // below its equals; n full passes also put a table loaded out of order right.
    for (int pass = 1; pass <= n; ++pass) {
        for (int j = 2; j <= n; ++j) {
            if (HighScores[j].Score > HighScores[j - 1].Score) std::swap(HighScores[j - 1], HighScores[j]);
        }
    }
    if (ScoreCount < TablePlaces) ++ScoreCount;
    // The places reach the file together: a crash leaves the old table or the new one, whole.
    platform::ProfileBatch batch(ScoreFile);
    for (std::int16_t place = 1; place <= ScoreCount; ++place) {
        WriteScoreEntry(ScoreFile, place, FormatScoreValue(HighScores[place]));
    }
    const std::string failure = batch.Commit();
    // The entry stays in the table in memory and in the open dialog all the same.
    if (!failure.empty()) {
        TheWindows().MessageBox("The high scores could not be saved in " + ScoreFile + ": " + failure + ".");
    }
}

void WriteScoreEntry(std::string IniFile, const std::int16_t& Index, std::string Value) {
    platform::WritePrivateProfileStringA(ScoreSection, ScoreKey(Index), Value, IniFile);
}

void ResetScoreState() {
    ScoreCount = 0;
    NewScore = 0;
    ViewOnly = false;
}
