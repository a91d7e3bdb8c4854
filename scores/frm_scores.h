// The high-score dialog frmScores, which ShowHighScores opens.
#pragma once

// Hands the dialog to the table; until the front end calls this at start-up, no dialog opens.
void InstallScoreDialog();
