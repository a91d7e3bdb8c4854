#include "scores/score11_table.h"

#include <cstdint>
#include <limits>

#include "platform/utf8.h"

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view Trim(std::string_view s) {
    while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
    return s;
}

// Windows-1252 from 0x80 to 0x9F; the five bytes it leaves undefined show as U+FFFD. From 0xA0
// on it agrees with Latin-1.
constexpr char32_t Windows1252High[32] = {
    0x20AC, 0xFFFD, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0xFFFD, 0x017D, 0xFFFD, 0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0xFFFD, 0x017E, 0x0178,
};

std::string FromWindows1252(std::string_view text) {
    std::string out;
    out.reserve(text.size() * 2);
    for (const char c : text) {
        const unsigned char byte = static_cast<unsigned char>(c);
        platform::AppendUtf8(out, byte >= 0x80 && byte < 0xA0 ? Windows1252High[byte - 0x80] : char32_t{byte});
    }
    return out;
}

// Names are UTF-8; one that is not was written by a program using the Windows code page.
// mayBeCut: the profile read filled its buffer, so a last character may have lost its tail.
std::string NameAsUtf8(std::string_view name, bool mayBeCut) {
    for (std::size_t i = 0; i < name.size();) {
        const platform::Utf8Char c = platform::ReadUtf8(name, i);
        if (c.length == 0) {
            if (c.cutShort && mayBeCut) return std::string(name.substr(0, i));
            return FromWindows1252(name);
        }
        i += c.length;
    }
    return std::string(name);
}

}  // namespace

bool ReadScoreText(std::string_view text, std::int32_t& value) {
    text = Trim(text);
    const bool negative = !text.empty() && text.front() == '-';
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) text.remove_prefix(1);
    if (text.empty()) return false;
    const std::int64_t limit = negative ? -static_cast<std::int64_t>(std::numeric_limits<std::int32_t>::min())
                                        : std::numeric_limits<std::int32_t>::max();
    std::int64_t magnitude = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') return false;
        magnitude = magnitude * 10 + (c - '0');
        if (magnitude > limit) return false;
    }
    value = static_cast<std::int32_t>(negative ? -magnitude : magnitude);
    return true;
}

HighScoreEntry ParseScoreValue(std::string_view value, bool mayBeCut) {
    HighScoreEntry entry;
    const std::size_t semicolon = value.find(';');
    // A place that cannot be read whole reads as score 0 and no name, never as leftovers.
    if (!ReadScoreText(value.substr(0, semicolon), entry.Score)) return HighScoreEntry{};
    if (semicolon != std::string_view::npos) entry.Name = NameAsUtf8(value.substr(semicolon + 1), mayBeCut);
    return entry;
}

std::string FormatScoreValue(const HighScoreEntry& entry) {
    // A line break would end the profile line; the file gets a blank in its place.
    std::string name = entry.Name;
    for (char& c : name) {
        if (c == '\n' || c == '\r' || c == '\0') c = ' ';
    }
    return std::to_string(entry.Score) + ";" + std::string(Trim(name));
}
