// Reading a sound file whole, without ever waiting on it.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace platform {

// The bytes of path when it names a regular file, directly or through links; nothing for a
// FIFO, a device, a directory or a file that cannot be read. A FIFO would hold the reader until
// some writer comes, and a device may never end, so neither is read.
std::optional<std::vector<unsigned char>> ReadRegularFile(const std::string& path);

}  // namespace platform
