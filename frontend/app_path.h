// The program directory: where the executable lies, and with it the settings, help and sound
// files.
#pragma once

#include <string>

// The directory of programFile, ending in "/", whatever the file itself is called. A path
// without a directory (or none at all) gives currentDirectory, with a "/" added if needed.
std::string ProgramDirectory(const std::string& programFile, const std::string& currentDirectory);
