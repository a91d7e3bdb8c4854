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

// Reads places 1 to 5 of the file into places 1 to 5; returns how many there are. The first
// missing or empty key ends the table; places above keep what they held.
std::int16_t ReadTable(const platform::ProfileReader& file, HighScoreEntry (&places)[TablePlaces + 2]) {
    for (int place = 1; place <= TablePlaces; ++place) {
        char buffer[ValueBufferSize];
        const std::uint32_t n = file.GetString(ScoreSection, ScoreKey(place), "", buffer, ValueBufferSize);
        if (n < 1) return static_cast<std::int16_t>(place - 1);
        places[place] = ParseScoreValue(std::string_view(buffer, n), n == ValueBufferSize - 1);
    }
    return TablePlaces;
}

// Adds entry to the count places held in places and returns how many there are then. Swapping
// only on a strictly greater score keeps ties in their order, so the new entry ends below its
// equals; n full passes also put a table loaded out of order right. A full table leaves the one
// that fell off in place 6.
std::int16_t InsertEntry(HighScoreEntry (&places)[TablePlaces + 2], std::int16_t count, const HighScoreEntry& entry) {
    const int n = count + 1;
    places[n] = entry;
    for (int pass = 1; pass <= n; ++pass) {
        for (int j = 2; j <= n; ++j) {
            if (places[j].Score > places[j - 1].Score) std::swap(places[j - 1], places[j]);
        }
    }
    return static_cast<std::int16_t>(count < TablePlaces ? count + 1 : count);
}

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

void LoadHighScores(const std::string& IniFile) { ScoreCount = ReadTable(platform::ProfileReader(IniFile), HighScores); }

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
    const HighScoreEntry entry{std::move(PlayerName), Points};
    ScoreCount = InsertEntry(HighScores, ScoreCount, entry);
    // The file gets the entry added to its table as that stands under the file's lock: another
    // copy of the program may have saved its own entry since this one read the table. The places
    // reach the file together: a crash leaves the old table or the new one, whole.
    platform::ProfileBatch batch(ScoreFile);
    const std::string failure = batch.Commit([&](const platform::ProfileReader& now) {
        HighScoreEntry stored[TablePlaces + 2];
        const std::int16_t count = InsertEntry(stored, ReadTable(now, stored), entry);
        for (std::int16_t place = 1; place <= count; ++place) {
            WriteScoreEntry(batch, place, FormatScoreValue(stored[place]));
        }
    });
    // The entry stays in the table in memory and in the open dialog all the same.
    if (!failure.empty()) {
        TheWindows().MessageBox("The high scores could not be saved in " + ScoreFile + ": " + failure + ".");
    }
}

void WriteScoreEntry(platform::ProfileBatch& batch, const std::int16_t& Index, std::string Value) {
    batch.Set(ScoreSection, ScoreKey(Index), Value);
}

void ResetScoreState() {
    ScoreCount = 0;
    NewScore = 0;
    ViewOnly = false;
}
