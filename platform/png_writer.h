// Writes a surface as an 8-bit RGB PNG file, with no image library behind it.
#pragma once

#include <string>

#include "platform/surface.h"

namespace platform {

// Returns false when the image is empty or the file cannot be written in full.
bool WritePng(const std::string& path, const Surface& image);

}  // namespace platform
