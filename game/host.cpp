#include "game/host.h"

#include <cstdlib>
#include <cstdio>

namespace {
GameHost* current = nullptr;
}

void SetGameHost(GameHost* host) { current = host; }

GameHost& Host() {
    if (!current) {
        std::fputs("game engine used before a host was set\n", stderr);
        std::abort();
    }
    return *current;
}
