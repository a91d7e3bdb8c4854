#include "game/host.h"

#include "platform/seam.h"

namespace {
GameHost* current = nullptr;
}

void SetGameHost(GameHost* host) { current = host; }

GameHost& Host() { return platform::SeamOrAbort(current, "the game engine's host (SetGameHost)"); }
