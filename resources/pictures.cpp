#include "resources/pictures.h"

#include "resources/picture_table.h"

namespace resources {

PictureList FindPictures(std::string_view name) {
    for (std::size_t i = 0; i < PictureTableSize; ++i) {
        const PictureEntry& entry = PictureTable[i];
        if (name == entry.name) return {entry.width, entry.height, entry.count, entry.pixels};
    }
    return {};
}

}  // namespace resources
