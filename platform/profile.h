// Profile (INI) files with the semantics the program relies on: case-insensitive sections and
// keys, the default when the file, section or key is missing, values cut to the buffer, writes
// that leave every other line untouched. Files saved by other editors (a UTF-8 mark, UTF-16 with
// its mark, lines ending in CR alone) read alike and keep their form when written. Every write
// changes the file in one step.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace platform {

// Copies the value of key in section (or def when missing) into buffer, cut to size - 1
// characters and zero-terminated; returns the number of characters copied. Blanks around names
// and values and the quotes around a value do not count; the first section of a name and the
// first key in it are the ones read. The text of a UTF-16 file comes out as UTF-8.
std::uint32_t GetPrivateProfileStringA(const std::string& section, const std::string& key, const std::string& def,
                                       char* buffer, std::uint32_t size, const std::string& file);

// Sets key in section to value, creating the file and the section when they are missing.
// Returns false when the file could not be written, or when a name or the value would not stay
// on its line ('=' or a leading '[' or ';' in the key, ']' in the section, a line break
// anywhere); nothing is changed then. A file without write permission is left alone. While a
// ProfileBatch for the same file is open, the write joins it and true means it was taken.
bool WritePrivateProfileStringA(const std::string& section, const std::string& key, const std::string& value,
                                const std::string& file);

// Gathers the writes to one file made while it is open, so that they reach the file together:
// after Commit, or a crash at any moment of it, the file holds all of them or none. Reads still
// see the file as it is until then. A batch dropped without Commit writes nothing.
class ProfileBatch {
public:
    explicit ProfileBatch(std::string file);
    ~ProfileBatch();
    ProfileBatch(const ProfileBatch&) = delete;
    ProfileBatch& operator=(const ProfileBatch&) = delete;

    // Makes the gathered writes, in their order. Returns why the file could not be written, in
    // plain words ("the disk is full"), or an empty text when it was or nothing was gathered.
    std::string Commit();

private:
    friend bool WritePrivateProfileStringA(const std::string& section, const std::string& key,
                                           const std::string& value, const std::string& file);
    struct Write {
        std::string section;
        std::string key;
        std::string value;
    };
    std::string file_;
    std::vector<Write> writes_;
    ProfileBatch* outer_;
};

}  // namespace platform
