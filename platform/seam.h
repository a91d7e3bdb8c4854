// How a seam between the subsystems fails when nobody has set it: a message naming the seam,
// then abort. Every driver (the windows, the demo, the tests) sets its seams before their first
// use, so an unset seam is a wiring fault; a silent default would pass it off as a game
// without sound or without its high-score table.
#pragma once

#include <cstdio>
#include <cstdlib>

namespace platform {

template <class Service>
Service& SeamOrAbort(Service* service, const char* seam) {
    if (service == nullptr) {
        std::fprintf(stderr, "%s used before it was set\n", seam);
        std::abort();
    }
    return *service;
}

}  // namespace platform
