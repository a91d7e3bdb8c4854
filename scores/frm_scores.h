// The high-score dialog frmScores, which ShowHighScores opens.
#pragma once

// Hands the dialog and the message box to the table; until the front end calls this at
// start-up, no dialog opens.
void InstallScoreDialog();
