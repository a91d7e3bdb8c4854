/* Preloaded into the program by frontend_perf.sh: records the time of every frame put on the
 * game screen (a 484 x 300 XPutImage) into the file named by VR_FRAME_LOG, a shared mapping
 * that survives the program's immediate end. Layout: a count, then the times in ms. */
#define _GNU_SOURCE
#include <X11/Xlib.h>
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

int XPutImage(Display* display, Drawable drawable, GC gc, XImage* image, int sx, int sy, int dx, int dy,
              unsigned int width, unsigned int height) {
    static int (*real)(Display*, Drawable, GC, XImage*, int, int, int, int, unsigned int, unsigned int);
    static int opened;
    if (!real) real = (int (*)(Display*, Drawable, GC, XImage*, int, int, int, int, unsigned int, unsigned int))
                   dlsym(RTLD_NEXT, "XPutImage");
    if (!opened) {
        opened = 1;
        Open();
    }
    if (frames && width == 484 && height == 300) {
        struct timespec now;
        clock_gettime(CLOCK_MONOTONIC, &now);
        size_t n = (size_t)frames[0];
        if (n < Capacity) {
            frames[1 + n] = (double)now.tv_sec * 1000.0 + (double)now.tv_nsec / 1e6;
            frames[0] = (double)(n + 1);
        }
    }
    return real(display, drawable, gc, image, sx, sy, dx, dy, width, height);
}
