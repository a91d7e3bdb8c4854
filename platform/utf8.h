// Reading and writing text as UTF-8, for the places that turn other encodings into it or tell
// it from them.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace platform {

// One character read from UTF-8 text.
struct Utf8Char {
    char32_t code = 0;
    // The bytes it takes; 0 when the bytes there are not a well-formed character: overlong
    // forms, surrogates and anything beyond U+10FFFF are not.
    std::size_t length = 0;
    // Not well-formed only because the text ends before the character's last bytes.
    bool cutShort = false;
};
// The character that begins at text[at], at < text.size().
Utf8Char ReadUtf8(std::string_view text, std::size_t at);

// Appends code point code (anything up to U+10FFFF, surrogates included) in its UTF-8 form.
void AppendUtf8(std::string& out, char32_t code);

}  // namespace platform
