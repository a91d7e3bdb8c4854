// Contact sheets: every image of a list side by side on a frame, for people to look at.
#pragma once

#include <vector>

#include "platform/surface.h"

namespace art {

// The images in rows of at most perRow, each blown up scale times, on a slate frame
// that lets pure-black (transparent) pixels be told from the frame.
platform::Surface ContactSheet(const std::vector<platform::Surface>& images, int scale, int perRow = 10);

// A scale that makes a picture of this size about 128 pixels big, at least 1.
int InspectionScale(int width, int height);

}  // namespace art
