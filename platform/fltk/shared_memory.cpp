#include "platform/fltk/shared_memory.h"

#include <X11/Xproto.h>
#include <X11/extensions/shm.h>
#include <X11/extensions/shmproto.h>

namespace toolkit {
namespace {

// The attach request awaited, while it is.
struct AwaitedAttach {
    int majorCode = 0;  // MIT-SHM's request code on this display
    unsigned long firstSerial = 0;  // of the requests since the wait began
    XErrorHandler previous = nullptr;
    bool refused = false;
};

AwaitedAttach* awaited = nullptr;

int NoteAttachError(Display* display, XErrorEvent* error) {
    if (error->request_code == awaited->majorCode && error->minor_code == X_ShmAttach &&
        error->serial >= awaited->firstSerial) {
        awaited->refused = true;
        return 0;
    }
    return awaited->previous(display, error);
}

}  // namespace

bool AttachSharedMemory(Display* display, XShmSegmentInfo& shm) {
    int majorCode = 0;
    int firstEvent = 0;
    int firstError = 0;
    if (!XQueryExtension(display, SHMNAME, &majorCode, &firstEvent, &firstError) || !XShmQueryExtension(display)) {
        return false;
    }
    // Errors of the requests before ours reach the handler they were meant for.
    XSync(display, False);
    AwaitedAttach attach{.majorCode = majorCode, .firstSerial = NextRequest(display)};
    awaited = &attach;
    attach.previous = XSetErrorHandler(NoteAttachError);
    XShmAttach(display, &shm);
    // A refusal arrives only once the server has answered.
    XSync(display, False);
    XSetErrorHandler(attach.previous);
    awaited = nullptr;
    return !attach.refused;
}

}  // namespace toolkit
