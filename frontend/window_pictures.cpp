#include "frontend/window_pictures.h"

#include "resources/pictures.h"

namespace {

struct Design {
    std::string_view name;
    int width;
    int height;
    const char* words[5];  // of the stand-in, one per image
};

constexpr int FaceWidth = 91;
constexpr int FaceHeight = 17;

constexpr Design Designs[] = {
    {"title", 470, 285, {"VR-717 'Void Raider' II"}},
    {"splash", 320, 200, {"VR-717 'Void Raider'"}},
    {"icon", 32, 32, {""}},
    {"pages", 320, 200, {"Story", "Controls", "Ship", "Enemy", "Credits"}},
    {"sponsors", 468, 60, {"Sponsor"}},
    {"face_StartGame", FaceWidth, FaceHeight, {"Start Game"}},
    {"face_HighScores", FaceWidth, FaceHeight, {"High Scores"}},
    {"face_Options", FaceWidth, FaceHeight, {"Options"}},
    {"face_Information", FaceWidth, FaceHeight, {"Information"}},
    {"face_About", FaceWidth, FaceHeight, {"About"}},
    {"face_Help", FaceWidth, FaceHeight, {"Help"}},
    {"face_Exit", FaceWidth, FaceHeight, {"Exit"}},
    {"face_Ok", FaceWidth, FaceHeight, {"Ok"}},
    {"face_Prev", FaceWidth, FaceHeight, {"<<"}},
    {"face_Next", FaceWidth, FaceHeight, {">>"}},
};

const Design* FindDesign(std::string_view name) {
    for (const Design& design : Designs) {
        if (design.name == name) return &design;
    }
    return nullptr;
}

}  // namespace

toolkit::Picture WindowPicture(std::string_view name, int index) {
    const resources::PictureList list = resources::FindPictures(name);
    if (index >= 0 && index < list.count && list.pixels) {
        const std::size_t size = static_cast<std::size_t>(list.width) * static_cast<std::size_t>(list.height);
        return toolkit::Picture(list.width, list.height, list.pixels + size * index, std::string(name));
    }
    const Design* design = FindDesign(name);
    if (!design) return toolkit::Picture(0, 0, nullptr, std::string(name));
    const char* word = index >= 0 && index < 5 && design->words[index] ? design->words[index] : design->words[0];
    return toolkit::Picture(design->width, design->height, nullptr, word);
}

int WindowPictureCount(std::string_view name) {
    const resources::PictureList list = resources::FindPictures(name);
    return list.count > 0 ? list.count : 1;
}
