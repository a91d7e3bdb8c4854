// Profile (INI) files with the semantics the program relies on: case-insensitive sections and
// keys, the default when the file, section or key is missing, values cut to the buffer, writes
// that leave every other line untouched. Every write replaces the file atomically.
#pragma once

#include <cstdint>
#include <string>

namespace platform {

// Copies the value of key in section (or def when missing) into buffer, cut to size - 1
// characters and zero-terminated; returns the number of characters copied. Blanks around names
// and values and the quotes around a value do not count; the first section of a name and the
// first key in it are the ones read.
std::uint32_t GetPrivateProfileStringA(const std::string& section, const std::string& key, const std::string& def,
                                       char* buffer, std::uint32_t size, const std::string& file);

// Sets key in section to value, creating the file and the section when they are missing.
// Returns false when the file could not be written, or when a name or the value would not stay
// on its line ('=' or a leading '[' or ';' in the key, ']' in the section, a line break
// anywhere); nothing is changed then. A file without write permission is left alone.
bool WritePrivateProfileStringA(const std::string& section, const std::string& key, const std::string& value,
                                const std::string& file);

}  // namespace platform
