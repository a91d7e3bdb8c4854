// The five-place high-score table, kept in section "HiScores" of the settings file.
#pragma once

#include <cstdint>
#include <string>

// Offers a finished game's score to the table (a name is asked for when it qualifies), or,
// with showTableOnly, just shows the table. Returns when the dialog has closed, or at once.
void ShowHighScores(std::int32_t Points, std::string Title, std::string IniFile, bool ShowTableOnly);

// The high-score dialog: shows itself modally from the table's state and returns once closed.
// The front end installs it before any game; unset, ShowHighScores aborts.
void SetScoreDialog(void (*showModal)());
