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

// Shows a message to the player: a new table that could not be saved is told there. The front
// end installs its message box; a failure told before that is a wiring fault, like the dialog's.
void SetScoreMessageBox(void (*show)(const std::string& text));
