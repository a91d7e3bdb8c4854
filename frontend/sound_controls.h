// The sound slots' view of the Preferences dialog, the program directory and the message box.
#pragma once

void ConnectSoundToPreferences();
