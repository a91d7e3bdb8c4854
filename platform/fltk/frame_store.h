// The frame a screen shows, held twice: in our memory, to tell which pixels a new frame really
// changes, and in the X server as a pixmap, which the screen is drawn from. The changed pixels
// travel through shared memory (MIT-SHM) where the server can reach ours, and through the
// connection otherwise (no extension, a display on another machine).
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "platform/rect_list.h"

namespace toolkit {

class FrameStore {
public:
    FrameStore();
    FrameStore(const FrameStore&) = delete;
    FrameStore& operator=(const FrameStore&) = delete;
    ~FrameStore();

    // Takes the width x height frame at pixels (stride pixels a row), which may differ from the
    // frame held only in the parts listed in changed (anywhere when none of that size is held
    // yet). Returns the parts that did differ, sent to the server.
    platform::RectList Update(const std::uint32_t* pixels, int width, int height, int stride,
                              std::span<const platform::Rect> changed);
    // Sends everything asked so far to the server.
    void Flush();
    // Holds no frame from now on; the next one is taken whole.
    void Forget() { holds_ = false; }

    bool Holds() const { return holds_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    // The pixmap holding the frame, as the toolkit's offscreen copies take it.
    unsigned long Picture() const;

private:
    // What the server holds for us; its Xlib types stay in frame_store.cpp.
    struct Server;

    void Create(int width, int height);
    void Release();
    // Sends the part r of the frame held on to the pixmap.
    void Send(const platform::Rect& r);

    int width_ = 0;
    int height_ = 0;
    bool holds_ = false;
    // The frame held, in our memory.
    std::vector<std::uint32_t> pixels_;
    std::unique_ptr<Server> server_;
};

}  // namespace toolkit
