// The eight sounds of the game, rendered at Rate. The music is stereo, the effects mono.
#pragma once

#include "tools/sounds/synth.h"

namespace sounds {

Samples MakeMusic();  // slot 0: a seamless loop
Samples MakeGunLeft();  // slot 1
Samples MakeEnemyFire();  // slot 2
Samples MakeGunRight();  // slot 3
Samples MakeEnemyBlast();  // slot 4: an enemy ship destroyed or ramming
Samples MakeAsteroidBlast();  // slot 5: an asteroid destroyed or ramming
Samples MakeTurbo();  // slot 6
Samples MakeClick();  // slot 7

}  // namespace sounds
