// Finding a file whose path was handed over in the wrong letter case.
#pragma once

#include <optional>
#include <string>

namespace platform {

// The existing path that matches path component by component without regard to ASCII letter
// case. A component that exists as written wins over other spellings; among several other
// spellings the one first in byte order is taken, so the answer does not depend on the order
// the directory lists its entries. Relative paths start from the current directory.
std::optional<std::string> FindPathIgnoringCase(const std::string& path);

}  // namespace platform
