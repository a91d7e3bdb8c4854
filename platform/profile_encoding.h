// The forms other editors save a profile file in: a UTF-8 byte-order mark, or UTF-16 (little or
// big end first) behind its mark. The profile functions work on the text as bytes, UTF-8 for a
// UTF-16 file, and put a changed file back in its own form. Used only by the profile functions.
#pragma once

#include <string>
#include <string_view>

namespace platform {

enum class ProfileEncoding { Bytes, Utf8WithMark, Utf16Le, Utf16Be };

struct ProfileText {
    ProfileEncoding encoding = ProfileEncoding::Bytes;
    std::string text;
    // The last byte of a UTF-16 file of odd length, put back as it was.
    std::string oddByte;
};

// Surrogates without their partner come out in their three-byte UTF-8 form, so that every line
// nobody changes goes back into the file unchanged.
ProfileText DecodeProfile(std::string_view raw);

// Bytes that are not UTF-8 become U+FFFD in a UTF-16 file.
std::string EncodeProfile(const ProfileText& profile);

}  // namespace platform
