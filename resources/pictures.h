// The pictures built into the program: each a list of equally sized images.
#pragma once

#include <cstdint>
#include <string_view>

namespace resources {

struct PictureList {
    int width = 0;
    int height = 0;
    int count = 0;  // 0: no picture of that name
    const std::uint32_t* pixels = nullptr;  // count images one after the other, 0x00RRGGBB
};

// The list of the given name ("ship1", "misc", ...).
PictureList FindPictures(std::string_view name);

}  // namespace resources
