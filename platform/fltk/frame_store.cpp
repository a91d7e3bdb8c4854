#include "platform/fltk/frame_store.h"

#include <cstring>

#include <sys/ipc.h>
#include <sys/shm.h>

#include <FL/Fl.H>
#include <FL/fl_draw.H>
#include <FL/x.H>

#include "platform/fltk/pixels.h"
#include "platform/fltk/shared_memory.h"

namespace toolkit {
namespace {

// The shared memory holds this many whole frames: the parts of a few hundred ordinary frames
// pass through it before it is used again from its start.
constexpr std::size_t FramesShared = 4;

}  // namespace

struct FrameStore::Server {
    Pixmap pixmap = 0;
    GC gc = nullptr;
    // The parts on their way, one after the other; attached when shm.shmaddr is set.
    XShmSegmentInfo shm{};
    // The description of one part in the shared memory, made once and pointed at each part.
    XImage* part = nullptr;
    std::size_t sharedBytes = 0;
    std::size_t sharedUsed = 0;

    bool Shares() const { return shm.shmaddr != nullptr; }
    bool Share(std::size_t bytes);
    void StopSharing();
    void SendShared(const std::uint32_t* pixels, int stride, const platform::Rect& r);
};

bool FrameStore::Server::Share(std::size_t bytes) {
    const int id = shmget(IPC_PRIVATE, bytes, IPC_CREAT | 0600);
    if (id < 0) return false;
    XShmSegmentInfo segment{};
    segment.shmid = id;
    segment.shmaddr = static_cast<char*>(shmat(id, nullptr, 0));
    segment.readOnly = True;
    bool attached = segment.shmaddr != reinterpret_cast<char*>(-1);
    if (attached) {
        attached = AttachSharedMemory(fl_display, segment);
        if (!attached) shmdt(segment.shmaddr);
    }
    // Marked for removal now, so that it goes when both sides let go, however the program ends.
    shmctl(id, IPC_RMID, nullptr);
    if (!attached) return false;
    shm = segment;
    part = XShmCreateImage(fl_display, fl_visual->visual, static_cast<unsigned>(fl_visual->depth), ZPixmap,
                           shm.shmaddr, &shm, 1, 1);
    // Our pixels go as they are, 32 bits each, or not this way at all.
    if (!part || part->bits_per_pixel != 32) {
        StopSharing();
        return false;
    }
    sharedBytes = bytes;
    sharedUsed = 0;
    return true;
}

void FrameStore::Server::StopSharing() {
    if (part) {
        // Only the description goes: its pixels are the shared memory's.
        part->data = nullptr;
        XDestroyImage(part);
        part = nullptr;
    }
    if (shm.shmaddr) {
        XShmDetach(fl_display, &shm);
        shmdt(shm.shmaddr);
        shm = {};
    }
}

void FrameStore::Server::SendShared(const std::uint32_t* pixels, int stride, const platform::Rect& r) {
    const std::size_t bytes = static_cast<std::size_t>(r.width) * static_cast<std::size_t>(r.height) * 4;
    if (sharedUsed + bytes > sharedBytes) {
        // The server reads each part only when it carries out its request; once it has caught
        // up with every request, the memory can be written again from its start.
        XSync(fl_display, False);
        sharedUsed = 0;
    }
    char* data = shm.shmaddr + sharedUsed;
    for (int row = 0; row < r.height; ++row) {
        std::memcpy(data + static_cast<std::size_t>(row) * r.width * 4,
                    pixels + static_cast<std::ptrdiff_t>(r.y + row) * stride + r.x,
                    static_cast<std::size_t>(r.width) * 4);
    }
    sharedUsed += bytes;
    part->width = r.width;
    part->height = r.height;
    part->bytes_per_line = r.width * 4;
    part->data = data;
    XShmPutImage(fl_display, pixmap, gc, part, 0, 0, r.x, r.y, static_cast<unsigned>(r.width),
                 static_cast<unsigned>(r.height), False);
}

FrameStore::FrameStore() : server_(std::make_unique<Server>()) {}

FrameStore::~FrameStore() { Release(); }

unsigned long FrameStore::Picture() const { return server_->pixmap; }

void FrameStore::Release() {
    if (!fl_display) return;
    server_->StopSharing();
    if (server_->gc) XFreeGC(fl_display, server_->gc);
    if (server_->pixmap) XFreePixmap(fl_display, server_->pixmap);
    *server_ = Server{};
    holds_ = false;
    pixels_.clear();
    width_ = height_ = 0;
}

void FrameStore::Create(int width, int height) {
    Release();
    width_ = width;
    height_ = height;
    pixels_.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), 0);
    server_->pixmap = fl_create_offscreen(width, height);
    server_->gc = XCreateGC(fl_display, server_->pixmap, 0, nullptr);
    if (DisplayTakesPixelsAsTheyAre()) server_->Share(pixels_.size() * 4 * FramesShared);
}

platform::RectList FrameStore::Update(const std::uint32_t* pixels, int width, int height, int stride,
                                      std::span<const platform::Rect> changed) {
    platform::RectList sent;
    if (!fl_display || width <= 0 || height <= 0) return sent;
    const platform::Rect whole{0, 0, width, height};
    if (!holds_ || width != width_ || height != height_) {
        // Whatever a new store holds, it is not this frame: it takes all of it. The pixmap of a
        // frame let go of serves again.
        if (!server_->pixmap || width != width_ || height != height_) Create(width, height);
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
    if (server_->Shares()) {
        server_->SendShared(pixels_.data(), width_, r);
        return;
    }
    fl_begin_offscreen(server_->pixmap);
    DrawPixels(pixels_.data() + static_cast<std::ptrdiff_t>(r.y) * width_ + r.x, r.width, r.height, width_, r.x, r.y);
    fl_end_offscreen();
}

void FrameStore::Flush() {
    if (fl_display) XFlush(fl_display);
}

}  // namespace toolkit
