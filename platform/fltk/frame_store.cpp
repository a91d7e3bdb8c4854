#include "platform/fltk/frame_store.h"

#include <cstring>

#include <sys/ipc.h>
#include <sys/shm.h>

#include <FL/Fl.H>
#include <FL/fl_draw.H>
#include <FL/x.H>

#include "platform/fltk/pixels.h"
#include "platform/fltk/x_pixels.h"

namespace toolkit {
namespace {

// The shared memory holds this many whole frames: the parts of a few hundred ordinary frames
// pass through it before it is used again from its start.
constexpr std::size_t FramesShared = 4;

bool attachRefused = false;

int NoteAttachError(Display*, XErrorEvent*) {
    attachRefused = true;
    return 0;
}

}  // namespace

FrameStore::~FrameStore() { Release(); }

void FrameStore::Release() {
    if (!fl_display) return;
    if (part_) {
        // Only the description goes: its pixels are the shared memory's.
        part_->data = nullptr;
        XDestroyImage(part_);
        part_ = nullptr;
    }
    if (shm_.shmaddr) {
        XShmDetach(fl_display, &shm_);
        shmdt(shm_.shmaddr);
        shm_ = {};
    }
    if (gc_) XFreeGC(fl_display, gc_);
    if (pixmap_) XFreePixmap(fl_display, pixmap_);
    gc_ = nullptr;
    pixmap_ = 0;
    holds_ = false;
    pixels_.clear();
    width_ = height_ = 0;
}

void FrameStore::Create(int width, int height) {
    Release();
    width_ = width;
    height_ = height;
    pixels_.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), 0);
    pixmap_ = XCreatePixmap(fl_display, RootWindow(fl_display, fl_screen), static_cast<unsigned>(width),
                            static_cast<unsigned>(height), static_cast<unsigned>(fl_visual->depth));
    gc_ = XCreateGC(fl_display, pixmap_, 0, nullptr);
    if (DisplayTakesPixelsAsTheyAre()) AttachSharedMemory(pixels_.size() * 4 * FramesShared);
}

bool FrameStore::AttachSharedMemory(std::size_t bytes) {
    if (!XShmQueryExtension(fl_display)) return false;
    const int id = shmget(IPC_PRIVATE, bytes, IPC_CREAT | 0600);
    if (id < 0) return false;
    XShmSegmentInfo shm{};
    shm.shmid = id;
    shm.shmaddr = static_cast<char*>(shmat(id, nullptr, 0));
    shm.readOnly = True;
    bool attached = shm.shmaddr != reinterpret_cast<char*>(-1);
    if (attached) {
        // A server on another machine, or one that may not see our memory, refuses the
        // attachment with an error, which arrives only once the server has answered.
        attachRefused = false;
        XErrorHandler previous = XSetErrorHandler(NoteAttachError);
        XShmAttach(fl_display, &shm);
        XSync(fl_display, False);
        XSetErrorHandler(previous);
        attached = !attachRefused;
        if (!attached) shmdt(shm.shmaddr);
    }
    // Marked for removal now, so that it goes when both sides let go, however the program ends.
    shmctl(id, IPC_RMID, nullptr);
    if (!attached) return false;
    shm_ = shm;
    part_ = XShmCreateImage(fl_display, fl_visual->visual, static_cast<unsigned>(fl_visual->depth), ZPixmap,
                            shm_.shmaddr, &shm_, 1, 1);
    if (!part_) {
        XShmDetach(fl_display, &shm_);
        shmdt(shm_.shmaddr);
        shm_ = {};
        return false;
    }
    sharedBytes_ = bytes;
    sharedUsed_ = 0;
    return true;
}

platform::RectList FrameStore::Update(const std::uint32_t* pixels, int width, int height, int stride,
                                      std::span<const platform::Rect> changed) {
    platform::RectList sent;
    if (!fl_display || width <= 0 || height <= 0) return sent;
    const platform::Rect whole{0, 0, width, height};
    if (!holds_ || width != width_ || height != height_) {
        // Whatever a new store holds, it is not this frame: it takes all of it. The pixmap of a
        // frame let go of serves again.
        if (!pixmap_ || width != width_ || height != height_) Create(width, height);
        holds_ = true;
        for (int row = 0; row < height; ++row) {
            std::memcpy(pixels_.data() + static_cast<std::ptrdiff_t>(row) * width,
                        pixels + static_cast<std::ptrdiff_t>(row) * stride, static_cast<std::size_t>(width) * 4);
        }
        Send(whole);
        sent.Add(whole);
        return sent;
    }
    for (const platform::Rect& part : changed) {
        const platform::Rect r =
            platform::CopyDifferences(pixels, stride, pixels_.data(), width_, platform::ClipTo(part, width, height));
        if (r.Empty()) continue;
        Send(r);
        sent.Add(r);
    }
    return sent;
}

void FrameStore::Send(const platform::Rect& r) {
    if (shm_.shmaddr) {
        SendShared(r);
        return;
    }
    const std::uint32_t* first = pixels_.data() + static_cast<std::ptrdiff_t>(r.y) * width_ + r.x;
    if (PutPixels(pixmap_, gc_, first, width_, r.x, r.y, r.width, r.height)) return;
    // A display that stores pixels otherwise: the toolkit converts them on the way.
    const Window window = fl_window;
    fl_window = pixmap_;
    fl_push_no_clip();
    DrawPixels(first, r.width, r.height, width_, r.x, r.y);
    fl_pop_clip();
    fl_window = window;
}

void FrameStore::SendShared(const platform::Rect& r) {
    const std::size_t bytes = static_cast<std::size_t>(r.width) * static_cast<std::size_t>(r.height) * 4;
    if (sharedUsed_ + bytes > sharedBytes_) {
        // The server reads each part only when it carries out its request; once it has caught
        // up with every request, the memory can be written again from its start.
        XSync(fl_display, False);
        sharedUsed_ = 0;
    }
    char* data = shm_.shmaddr + sharedUsed_;
    for (int row = 0; row < r.height; ++row) {
        std::memcpy(data + static_cast<std::size_t>(row) * r.width * 4,
                    pixels_.data() + static_cast<std::ptrdiff_t>(r.y + row) * width_ + r.x,
                    static_cast<std::size_t>(r.width) * 4);
    }
    sharedUsed_ += bytes;
    part_->width = r.width;
    part_->height = r.height;
    part_->bytes_per_line = r.width * 4;
    part_->data = data;
    XShmPutImage(fl_display, pixmap_, gc_, part_, 0, 0, r.x, r.y, static_cast<unsigned>(r.width),
                 static_cast<unsigned>(r.height), False);
}

void FrameStore::Flush() {
    if (fl_display) XFlush(fl_display);
}

}  // namespace toolkit
