// Attaching shared memory to a real X server, beside errors that belong to other requests.
#include <gtest/gtest.h>

#include <sys/ipc.h>
#include <sys/shm.h>

#include <X11/Xproto.h>

#include <cstdlib>
#include <vector>

#include "platform/fltk/shared_memory.h"

namespace {

using toolkit::AttachSharedMemory;

std::vector<int> seenRequests;

int RecordError(Display*, XErrorEvent* error) {
    seenRequests.push_back(error->request_code);
    return 0;
}

// Our own connection, with a handler that records every error it is handed.
class SharedMemoryAttach : public ::testing::Test {
protected:
    void SetUp() override {
        if (!std::getenv("DISPLAY")) GTEST_SKIP() << "needs an X display";
        display_ = XOpenDisplay(nullptr);
        ASSERT_NE(display_, nullptr);
        ASSERT_TRUE(XShmQueryExtension(display_)) << "the server has no MIT-SHM";
        seenRequests.clear();
        previous_ = XSetErrorHandler(RecordError);
    }
    void TearDown() override {
        if (!display_) return;
        XSetErrorHandler(previous_);
        if (segment_.shmaddr) shmdt(segment_.shmaddr);
        XCloseDisplay(display_);
    }

    // A segment of our memory, gone as soon as both sides let go of it.
    void MakeSegment() {
        segment_.shmid = shmget(IPC_PRIVATE, 4096, IPC_CREAT | 0600);
        ASSERT_GE(segment_.shmid, 0);
        segment_.shmaddr = static_cast<char*>(shmat(segment_.shmid, nullptr, 0));
        ASSERT_NE(segment_.shmaddr, reinterpret_cast<char*>(-1));
        shmctl(segment_.shmid, IPC_RMID, nullptr);
        segment_.readOnly = True;
    }

    // A request the server refuses; its error is still on its way.
    void RequestThatFails() { XFreePixmap(display_, 0x1fffffff); }

    Display* display_ = nullptr;
    XErrorHandler previous_ = nullptr;
    XShmSegmentInfo segment_{};
};

TEST_F(SharedMemoryAttach, AnEarlierErrorReachesItsOwnHandlerAndTheAttachSucceeds) {
    MakeSegment();
    RequestThatFails();
    EXPECT_TRUE(AttachSharedMemory(display_, segment_));
    EXPECT_EQ(seenRequests, (std::vector<int>{X_FreePixmap}));

    // The handler in place before is back for the errors after.
    RequestThatFails();
    XSync(display_, False);
    EXPECT_EQ(seenRequests, (std::vector<int>{X_FreePixmap, X_FreePixmap}));
    XShmDetach(display_, &segment_);
    XSync(display_, False);
}

TEST_F(SharedMemoryAttach, ARefusalIsCaughtAndNoOtherHandlerSeesIt) {
    // A segment that no longer exists: the server cannot attach it.
    MakeSegment();
    shmdt(segment_.shmaddr);
    segment_.shmaddr = nullptr;
    EXPECT_FALSE(AttachSharedMemory(display_, segment_));
    EXPECT_TRUE(seenRequests.empty());

    RequestThatFails();
    XSync(display_, False);
    EXPECT_EQ(seenRequests, (std::vector<int>{X_FreePixmap}));
}

}  // namespace
