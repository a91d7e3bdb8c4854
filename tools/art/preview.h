// A made-up moment of play built from the sprite lists, to judge them together.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "platform/surface.h"

namespace art {

using PaintedLists = std::map<std::string, std::vector<platform::Surface>>;

// The 484 x 300 play field with the status bar on top; empty when a sprite list is missing.
platform::Surface PlayPreview(const PaintedLists& lists);

}  // namespace art
