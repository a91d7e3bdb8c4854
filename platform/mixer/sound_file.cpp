#include "platform/mixer/sound_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace platform {

std::optional<std::vector<unsigned char>> ReadRegularFile(const std::string& path) {
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0 || !S_ISREG(status.st_mode)) return std::nullopt;
    // Should the name turn into a FIFO between the test and the open, a non-blocking open still
    // returns at once, and the second test refuses it.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) return std::nullopt;
    std::optional<std::vector<unsigned char>> bytes;
    if (::fstat(fd, &status) == 0 && S_ISREG(status.st_mode)) {
        bytes.emplace();
        bytes->reserve(static_cast<std::size_t>(status.st_size));
        unsigned char block[65536];
        for (;;) {
            const ssize_t got = ::read(fd, block, sizeof block);
            if (got > 0) {
                bytes->insert(bytes->end(), block, block + got);
            } else if (got == 0) {
                break;
            } else if (errno != EINTR) {
                bytes.reset();
                break;
            }
        }
    }
    ::close(fd);
    return bytes;
}

}  // namespace platform
