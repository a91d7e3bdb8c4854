// Writing text as UTF-8, for the places that turn other encodings into it.
#pragma once

#include <string>

namespace platform {

// Appends code point code (anything up to U+10FFFF, surrogates included) in its UTF-8 form.
void AppendUtf8(std::string& out, char32_t code);

}  // namespace platform
