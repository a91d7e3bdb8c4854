#include "frontend/window_pictures.h"

#include "resources/pictures.h"

toolkit::Picture WindowPicture(std::string_view name, int index) {
    const resources::PictureList list = resources::FindPictures(name);
    if (index < 0 || index >= list.count || !list.pixels) return toolkit::Picture(0, 0, nullptr, std::string(name));
    const std::size_t size = static_cast<std::size_t>(list.width) * static_cast<std::size_t>(list.height);
    return toolkit::Picture(list.width, list.height, list.pixels + size * index, std::string(name));
}

int WindowPictureCount(std::string_view name) { return resources::FindPictures(name).count; }
