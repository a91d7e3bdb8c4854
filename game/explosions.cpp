#include "game/game.h"
#include "game/sprite_store.h"
#include "game/steps.h"

namespace {
constexpr std::int32_t LastImage = 4;
}

void UpdateExplosions() {
    for (int j = 0; j < UsedSlots; ++j) {
        if (!InUse(ExplosionY[j])) continue;
        if (ExplosionFrame[j] > LastImage) {
            FreeExplosion(j);
            // Kept on purpose: a retirement ends the pass, so the explosions in later slots
            // wait one frame, undrawn.
            return;
        }
        ExplosionY[j] += 1 + TurboThrust;
        DrawSprite(frmGFX1().Explosion1, ExplosionFrame[j], ExplosionX[j], ExplosionY[j]);
        ExplosionFrame[j] += 1;
    }
}
