// Profile (INI) files with the semantics the program relies on: case-insensitive sections and
// keys, the default when the file, section or key is missing, values cut to the buffer, writes
// that leave every other line untouched. Every write replaces the file atomically.
#pragma once

#include <cstdint>
#include <string>

namespace platform {

// Copies the value of key in section (or def when missing) into buffer, cut to size - 1
// characters and zero-terminated; returns the number of characters copied.
std::uint32_t GetPrivateProfileStringA(const std::string& section, const std::string& key, const std::string& def,
                                       char* buffer, std::uint32_t size, const std::string& file);

// Sets key in section to value, creating the file and the section when they are missing.
// Returns false when the file could not be written (nothing is changed then).
bool WritePrivateProfileStringA(const std::string& section, const std::string& key, const std::string& value,
                                const std::string& file);

}  // namespace platform
