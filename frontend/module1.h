// Start-up and exit of the program, its directory, and the settings file's preferences.
#pragma once

#include <cstdint>
#include <string>

// The program directory, ending in "/"; empty until InitAppPath has run.
extern std::string AppPath;

// AppPath followed by VOIDRAID.INI.
std::string SettingsFilePath();

// The message box title of the whole program.
inline constexpr const char* ApplicationTitle = "VR-717 'VoidRaider'";

// The program's entry: splash, colour check, directory, settings, sound, windows, music.
void Main();
void InitAppPath();
// Returns only when the display can show the game; otherwise the program ends.
void CheckColorDepth();
[[noreturn]] void ExitProgram();

// Preferences from the settings file into the Preferences dialog, and back at exit.
void LoadSettings();
void SaveSettings();
