// The named picture lists the generator knows. Each drawing file registers its own lists
// from a static initialiser, so adding pictures means adding a file, nothing else.
#pragma once

#include <string>
#include <vector>

#include "platform/surface.h"

namespace art {

using PaintList = std::vector<platform::Surface> (*)();

struct PictureListEntry {
    std::string name;  // the name the program looks the list up by
    int width;
    int height;
    int count;
    PaintList paint;  // draws all count images, each width x height
};

// Always returns true, so a file can register with `const bool registered = RegisterPictures(...)`.
bool RegisterPictures(std::string name, int width, int height, int count, PaintList paint);

// Every registered list, sorted by name so the output does not depend on the link order.
std::vector<PictureListEntry> RegisteredPictures();

}  // namespace art
