// Attaching a segment of our shared memory (MIT-SHM) to the X server. For the toolkit's own
// sources and their tests: it brings in Xlib's names.
#pragma once

#include <X11/Xlib.h>
#include <X11/extensions/XShm.h>

namespace toolkit {

// Asks the server to attach shm (its shmid and shmaddr set) and waits for its answer: true
// once attached, false when the server refuses (on another machine, or unable to see our
// memory) or has no MIT-SHM. Only the refusal of this request is caught: an error of any other
// request, earlier ones included, goes to the error handler in place, which is in place again
// when this returns.
bool AttachSharedMemory(Display* display, XShmSegmentInfo& shm);

}  // namespace toolkit
