#include "frontend/app_path.h"

std::string ProgramDirectory(const std::string& programFile, const std::string& currentDirectory) {
    const std::size_t slash = programFile.rfind('/');
    if (slash != std::string::npos) return programFile.substr(0, slash + 1);
    if (currentDirectory.empty() || currentDirectory.back() == '/') return currentDirectory;
    return currentDirectory + "/";
}
