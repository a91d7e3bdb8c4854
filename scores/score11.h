// The five-place high-score table, kept in section "HiScores" of the settings file.
#pragma once

#include <cstdint>
#include <string>

// Offers a finished game's score to the table (a name is asked for when it qualifies), or,
// with showTableOnly, just shows the table. Returns when the dialog has closed, or at once.
void ShowHighScores(std::int32_t Points, std::string Title, std::string IniFile, bool ShowTableOnly);

// What the table needs from the front end: its dialog and the message box.
class ScoreWindows {
public:
    virtual ~ScoreWindows() = default;
    // Shows the high-score dialog modally from the table's state; returns once it has closed.
    virtual void ShowDialog() = 0;
    // Tells the player something: a new table that could not be saved is told here.
    virtual void MessageBox(const std::string& text) = 0;
};
// Set by the front end before any game; unset, ShowHighScores and a failed save abort.
void SetScoreWindows(ScoreWindows* windows);
