// Profile (INI) files with the semantics the program relies on: case-insensitive sections and
// keys, the default when the file, section or key is missing, values cut to the buffer, writes
// that leave every other line untouched. Files saved by other editors (a UTF-8 mark, UTF-16 with
// its mark, lines ending in CR alone) read alike and keep their form when written. Every write
// changes the file in one step, under the file's lock.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace platform {

// No real settings file comes near this; a larger one is neither read nor written over.
constexpr std::size_t ProfileSizeLimit = std::size_t{1} << 20;

// The file as one read found it: a batch of key reads costs one read of the file. A reader made
// later sees any write made since.
class ProfileReader {
public:
    explicit ProfileReader(const std::string& file);

    // Copies the value of key in section (or def when missing) into buffer, cut to size - 1
    // characters and zero-terminated; returns the number of characters copied. Blanks around
    // names and values and the quotes around a value do not count; the first section of a name
    // and the first key in it are the ones read. The text of a UTF-16 file comes out as UTF-8.
    std::uint32_t GetString(const std::string& section, const std::string& key, const std::string& def,
                            char* buffer, std::uint32_t size) const;

    // The file is larger than ProfileSizeLimit: it was not read, and every key reads its default.
    bool TooLarge() const { return tooLarge_; }
    // Why the file, though there, could not be read this time (out of file handles, a disk
    // error), in plain words; empty when it was read or is missing. Every key reads its default.
    const std::string& Unreadable() const { return unreadable_; }

private:
    friend class ProfileBatch;
    ProfileReader() = default;

    std::string text_;
    bool tooLarge_ = false;
    std::string unreadable_;
};

// Writes to one file gathered with Set, reaching the file together on Commit: after it, or a
// crash at any moment of it, the file holds all of them or none. A batch dropped without Commit
// writes nothing.
class ProfileBatch {
public:
    explicit ProfileBatch(std::string file);

    // Sets key in section to value, creating the section when it is missing. Returns false, and
    // gathers nothing, when a name or the value would not stay on its line ('=' or a leading '['
    // or ';' in the key, ']' in the section, a line break anywhere).
    bool Set(const std::string& section, const std::string& key, const std::string& value);

    // Makes the gathered writes, in their order, creating the file when it is missing. Returns
    // why the file could not be written, in plain words ("the disk is full"), or an empty text
    // when it was or nothing was gathered. A file without write permission is left alone.
    std::string Commit();

    // The same, with the writes worked out from the file as it stands while its lock is held:
    // plan reads from now and calls Set. Another program writing the file at that moment waits
    // for its turn, so that each builds on what the other wrote.
    std::string Commit(const std::function<void(const ProfileReader& now)>& plan);

private:
    struct Write {
        std::string section;
        std::string key;
        std::string value;
    };
    std::string file_;
    std::vector<Write> writes_;
};

// Asked while a write waits for a lock held elsewhere: once it answers true (the program is
// ending and nobody waits for it), the wait is cut to a moment.
void SetProfileWaitCut(bool (*ending)());

// One read: a ProfileReader of the file for this key alone.
std::uint32_t GetPrivateProfileStringA(const std::string& section, const std::string& key, const std::string& def,
                                       char* buffer, std::uint32_t size, const std::string& file);

// One write: a batch of this write alone. Returns whether the file now holds it.
bool WritePrivateProfileStringA(const std::string& section, const std::string& key, const std::string& value,
                                const std::string& file);

}  // namespace platform
