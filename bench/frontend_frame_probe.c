/* Preloaded into the program by frontend_perf.sh: records the time of every frame tick (the
 * frame timer re-arming itself with a period of at most 66 ms) into the file named by
 * VR_FRAME_LOG, a shared mapping that survives the program's immediate end. Layout: a count,
 * then the times in ms. */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <fcntl.h>
#include <stdlib.h>
#include <sys/mman.h>
#include <time.h>
#include <unistd.h>

enum { Capacity = 1 << 20 };

static double* frames;

static void Open(void) {
    const char* path = getenv("VR_FRAME_LOG");
    if (!path) return;
    int fd = open(path, O_RDWR | O_CREAT | O_TRUNC, 0644);
    if (fd < 0) return;
    if (ftruncate(fd, (off_t)((Capacity + 1) * sizeof(double))) == 0) {
        void* mapped = mmap(NULL, (Capacity + 1) * sizeof(double), PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
        if (mapped != MAP_FAILED) frames = mapped;
    }
    close(fd);
}

typedef void (*Callback)(void*);

/* Fl::repeat_timeout(double, void (*)(void*), void*) */
void _ZN2Fl14repeat_timeoutEdPFvPvES0_(double seconds, Callback callback, void* data) {
    static void (*real)(double, Callback, void*);
    static int opened;
    if (!real) real = (void (*)(double, Callback, void*))dlsym(RTLD_NEXT, "_ZN2Fl14repeat_timeoutEdPFvPvES0_");
    if (!opened) {
        opened = 1;
        Open();
    }
    if (frames && seconds <= 0.066) {
        struct timespec now;
        clock_gettime(CLOCK_MONOTONIC, &now);
        size_t n = (size_t)frames[0];
        if (n < Capacity) {
            frames[1 + n] = (double)now.tv_sec * 1000.0 + (double)now.tv_nsec / 1e6;
            frames[0] = (double)(n + 1);
        }
    }
    real(seconds, callback, data);
}
