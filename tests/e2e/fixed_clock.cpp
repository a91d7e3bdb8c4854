// Preloaded into the program by the screen tests: the wall clock stands still at
// FixedWallClockSeconds, so the game's generator, seeded from it, gives a known sequence and the
// headless demo can compose the very frames the window must show. Every other clock runs on.
#include <dlfcn.h>
#include <time.h>

namespace {
constexpr time_t FixedWallClockSeconds = 1700000000;
}

extern "C" int clock_gettime(clockid_t clock, timespec* now) {
    using Real = int (*)(clockid_t, timespec*);
    static const Real real = reinterpret_cast<Real>(dlsym(RTLD_NEXT, "clock_gettime"));
    if (clock != CLOCK_REALTIME) return real(clock, now);
    now->tv_sec = FixedWallClockSeconds;
    now->tv_nsec = 0;
    return 0;
}
