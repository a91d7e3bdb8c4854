#include "platform/profile_encoding.h"

#include <cstdint>

#include "platform/utf8.h"

namespace platform {
namespace {

constexpr std::string_view Utf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view Utf16LeMark = "\xFF\xFE";
constexpr std::string_view Utf16BeMark = "\xFE\xFF";
constexpr char32_t Replacement = 0xFFFD;

bool IsHighSurrogate(char32_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsLowSurrogate(char32_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

void AppendUnit(std::string& out, char32_t unit, bool bigEnd) {
    const char high = static_cast<char>(unit >> 8);
    const char low = static_cast<char>(unit & 0xFF);
    out += bigEnd ? high : low;
    out += bigEnd ? low : high;
}

void AppendUtf16(std::string& out, char32_t code, bool bigEnd) {
    if (code < 0x10000) {
        AppendUnit(out, code, bigEnd);
        return;
    }
    code -= 0x10000;
    AppendUnit(out, 0xD800 + (code >> 10), bigEnd);
    AppendUnit(out, 0xDC00 + (code & 0x3FF), bigEnd);
}

std::string Utf16ToUtf8(std::string_view units, bool bigEnd) {
    const auto unitAt = [&](std::size_t i) -> char32_t {
        const auto first = static_cast<unsigned char>(units[i]);
        const auto second = static_cast<unsigned char>(units[i + 1]);
        return bigEnd ? (first << 8 | second) : (second << 8 | first);
    };
    std::string out;
    out.reserve(units.size());
    for (std::size_t i = 0; i + 1 < units.size(); i += 2) {
        const char32_t unit = unitAt(i);
        if (IsHighSurrogate(unit) && i + 3 < units.size() && IsLowSurrogate(unitAt(i + 2))) {
            AppendUtf8(out, 0x10000 + ((unit - 0xD800) << 10) + (unitAt(i + 2) - 0xDC00));
            i += 2;
        } else {
            AppendUtf8(out, unit);
        }
    }
    return out;
}

// One character of UTF-8 at text[at], its length in count. The three-byte forms of surrogates
// are taken too, as DecodeProfile writes a lone one; anything else that is not UTF-8 is one byte
// of U+FFFD.
char32_t NextCode(std::string_view text, std::size_t at, std::size_t& count) {
    const Utf8Char read = ReadUtf8(text, at);
    if (read.length != 0) {
        count = read.length;
        return read.code;
    }
    const auto byte = [&](std::size_t i) {
        return at + i < text.size() ? static_cast<unsigned char>(text[at + i]) : 0u;
    };
    const bool surrogate = byte(0) == 0xED && byte(1) >= 0xA0 && byte(1) <= 0xBF && (byte(2) & 0xC0) == 0x80;
    count = surrogate ? 3 : 1;
    return surrogate ? (0xDu << 12 | (byte(1) & 0x3F) << 6 | (byte(2) & 0x3F)) : Replacement;
}

std::string Utf8ToUtf16(std::string_view text, bool bigEnd) {
    std::string out;
    out.reserve(text.size() * 2);
    std::size_t count = 0;
    for (std::size_t at = 0; at < text.size(); at += count) AppendUtf16(out, NextCode(text, at, count), bigEnd);
    return out;
}

}  // namespace

ProfileText DecodeProfile(std::string_view raw) {
    ProfileText profile;
    if (raw.starts_with(Utf8Mark)) {
        profile.encoding = ProfileEncoding::Utf8WithMark;
        profile.text = raw.substr(Utf8Mark.size());
    } else if (raw.starts_with(Utf16LeMark) || raw.starts_with(Utf16BeMark)) {
        const bool bigEnd = raw.starts_with(Utf16BeMark);
        profile.encoding = bigEnd ? ProfileEncoding::Utf16Be : ProfileEncoding::Utf16Le;
        std::string_view units = raw.substr(2);
        if (units.size() % 2 != 0) {
            profile.oddByte.assign(1, units.back());
            units.remove_suffix(1);
        }
        profile.text = Utf16ToUtf8(units, bigEnd);
    } else {
        profile.text = raw;
    }
    return profile;
}

std::string EncodeProfile(const ProfileText& profile) {
    switch (profile.encoding) {
        case ProfileEncoding::Utf8WithMark:
            return std::string(Utf8Mark) + profile.text;
        case ProfileEncoding::Utf16Le:
            return std::string(Utf16LeMark) + Utf8ToUtf16(profile.text, false) + profile.oddByte;
        case ProfileEncoding::Utf16Be:
            return std::string(Utf16BeMark) + Utf8ToUtf16(profile.text, true) + profile.oddByte;
        case ProfileEncoding::Bytes:
            break;
    }
    return profile.text;
}

}  // namespace platform
