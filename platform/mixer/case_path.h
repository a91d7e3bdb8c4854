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

// The same for a path that may name one of the program's own files, home being the program's
// directory spelt as on disk and ending in "/". A path inside home, letter case aside, is looked
// up beneath home only: a directory beside it whose name differs only in case (Game/ and game/)
// never stands in for it. Any other path is looked up as above.
std::optional<std::string> FindPathIgnoringCaseUnder(const std::string& path, const std::string& home);

}  // namespace platform
