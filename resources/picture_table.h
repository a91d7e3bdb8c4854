// The table make_pictures writes: one entry per picture list, in name order.
#pragma once

#include <cstddef>
#include <cstdint>

namespace resources {

struct PictureEntry {
    const char* name;
    int width;
    int height;
    int count;
    const std::uint32_t* pixels;
};

extern const PictureEntry PictureTable[];
extern const std::size_t PictureTableSize;

}  // namespace resources
