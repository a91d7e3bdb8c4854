// The engine's seam, filled with the main window, the Preferences slider, the sound slots and
// the high-score table.
#pragma once

void ConnectGameToWindows();
