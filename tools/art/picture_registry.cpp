#include "tools/art/picture_registry.h"

#include <algorithm>

namespace art {
namespace {

// Built on first use: registrations run from other files' static initialisers.
std::vector<PictureListEntry>& Registry() {
    static std::vector<PictureListEntry> entries;
    return entries;
}

}  // namespace

bool RegisterPictures(std::string name, int width, int height, int count, PaintList paint) {
    Registry().push_back({std::move(name), width, height, count, paint});
    return true;
}

std::vector<PictureListEntry> RegisteredPictures() {
    std::vector<PictureListEntry> entries = Registry();
    std::sort(entries.begin(), entries.end(),
              [](const PictureListEntry& a, const PictureListEntry& b) { return a.name < b.name; });
    return entries;
}

}  // namespace art
