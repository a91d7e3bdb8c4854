#include "platform/mixer/case_path.h"

#include <filesystem>
#include <system_error>

namespace platform {

namespace {

namespace fs = std::filesystem;

bool SameIgnoringCase(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const auto lower = [](unsigned char c) { return c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c; };
        if (lower(static_cast<unsigned char>(a[i])) != lower(static_cast<unsigned char>(b[i]))) return false;
    }
    return true;
}

// The entry of directory spelt like name, or nothing.
std::optional<fs::path> FindEntry(const fs::path& directory, const std::string& name) {
    std::error_code error;
    const fs::path exact = directory / name;
    if (fs::exists(fs::symlink_status(exact, error))) return exact;
    std::optional<std::string> best;
    const fs::path listed = directory.empty() ? fs::path(".") : directory;
    for (fs::directory_iterator it(listed, error), end; !error && it != end; it.increment(error)) {
        const std::string candidate = it->path().filename().string();
        if (SameIgnoringCase(candidate, name) && (!best || candidate < *best)) best = candidate;
    }
    if (!best) return std::nullopt;
    return directory / *best;
}

// The entry beneath found that relative names, component by component.
std::optional<std::string> FindBeneath(fs::path found, const fs::path& relative) {
    for (const fs::path& part : relative) {
        const std::string name = part.string();
        // "." and ".." and the empty part after a trailing slash are taken as they stand.
        if (name.empty() || name == "." || name == "..") {
            found /= part;
            continue;
        }
        const std::optional<fs::path> entry = FindEntry(found, name);
        if (!entry) return std::nullopt;
        found = *entry;
    }
    std::error_code error;
    if (!fs::exists(found, error)) return std::nullopt;
    return found.string();
}

}  // namespace

std::optional<std::string> FindPathIgnoringCase(const std::string& path) {
    if (path.empty()) return std::nullopt;
    const fs::path wanted(path);
    return FindBeneath(wanted.root_path(), wanted.relative_path());
}

std::optional<std::string> FindPathIgnoringCaseUnder(const std::string& path, const std::string& home) {
    const bool inHome = !home.empty() && home.back() == '/' && path.size() > home.size() &&
                        SameIgnoringCase(path.substr(0, home.size()), home);
    if (!inHome) return FindPathIgnoringCase(path);
    return FindBeneath(home, path.substr(home.size()));
}

}  // namespace platform
