// Text as the bytes of a UTF-16 file, in either byte order: what other editors save.
#pragma once

#include <string>
#include <string_view>

inline std::string Utf16(std::u16string_view text, bool bigEnd) {
    std::string out;
    for (const char16_t unit : text) {
        const char high = static_cast<char>(unit >> 8), low = static_cast<char>(unit & 0xFF);
        out += bigEnd ? high : low;
        out += bigEnd ? low : high;
    }
    return out;
}
