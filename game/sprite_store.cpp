#include "game/sprite_store.h"

#include <string_view>
#include <vector>

#include "resources/pictures.h"

namespace {

platform::ImageList LoadList(std::string_view name) {
    const resources::PictureList pictures = resources::FindPictures(name);
    const std::size_t size = static_cast<std::size_t>(pictures.width) * pictures.height * pictures.count;
    std::vector<platform::Pixel> pixels(pictures.pixels, pictures.pixels + (pictures.pixels ? size : 0));
    return platform::ImageList(pictures.width, pictures.height, std::move(pixels));
}

SpriteStore LoadSpriteStore() {
    SpriteStore store;
    store.misc = LoadList("misc");
    store.enemy1f = LoadList("enemy1f");
    store.enemy1 = LoadList("enemy1");
    store.Explosion1 = LoadList("Explosion1");
    store.asteroid2 = LoadList("asteroid2");
    store.weapon1 = LoadList("weapon1");
    store.ship1 = LoadList("ship1");
    return store;
}

DrawObserver* observer = nullptr;

}  // namespace

SpriteStore& frmGFX1() {
    static SpriteStore store = LoadSpriteStore();
    return store;
}

void SetDrawObserver(DrawObserver* o) { observer = o; }

void DrawSprite(const platform::ImageList& list, int n, int x, int y) {
    if (observer) observer->OnDraw(list, n, x, y);
    frmGFX1().buffer.Draw(list, n, x, y);
}
