#include "tools/art/contact_sheet.h"

#include <algorithm>

namespace art {

platform::Surface ContactSheet(const std::vector<platform::Surface>& images, int scale, int perRow) {
    if (images.empty()) return platform::Surface(0, 0);
    const int width = images.front().Width() * scale;
    const int height = images.front().Height() * scale;
    const int gap = scale > 1 ? 2 : 1;
    const int columns = std::min(perRow, static_cast<int>(images.size()));
    const int rows = (static_cast<int>(images.size()) + columns - 1) / columns;
    platform::Surface sheet(gap + columns * (width + gap), gap + rows * (height + gap), platform::Rgb(56, 60, 84));
    for (std::size_t i = 0; i < images.size(); ++i) {
        const int left = gap + static_cast<int>(i) % columns * (width + gap);
        const int top = gap + static_cast<int>(i) / columns * (height + gap);
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) sheet.Set(left + x, top + y, images[i].At(x / scale, y / scale));
        }
    }
    return sheet;
}

int InspectionScale(int width, int height) { return std::max(1, 128 / std::max(width, height)); }

}  // namespace art
