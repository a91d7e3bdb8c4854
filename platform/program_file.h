// The running program's own file, from which its directory and data files are found.
#pragma once

#include <string>

namespace platform {

// Full path of the running executable; empty when the system cannot tell.
std::string ProgramFilePath();

}  // namespace platform
