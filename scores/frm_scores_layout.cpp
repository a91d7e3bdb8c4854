#include "scores/frm_scores_layout.h"

#include <algorithm>
#include <cmath>

namespace scores_dialog {
namespace {

bool IsContinuation(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

// Bytes of the first count characters of text (all of it when it has fewer).
std::size_t PrefixBytes(std::string_view text, std::size_t count) {
    std::size_t bytes = 0;
    std::size_t seen = 0;
    for (; bytes < text.size(); ++bytes) {
        if (!IsContinuation(text[bytes]) && seen++ == count) break;
    }
    return bytes;
}

}  // namespace

int TwipsToPixels(int twips) { return static_cast<int>(std::lround(static_cast<double>(twips) / TwipsPerPixel)); }

int CentredEdge(double screenSize, double windowSize) {
    // lrint rounds in the default mode, a half to the even neighbour; / truncates toward zero.
    const long difference = std::lrint(screenSize - windowSize);
    return static_cast<int>(difference / 2);
}

std::size_t Utf8Length(std::string_view text) {
    return static_cast<std::size_t>(std::count_if(text.begin(), text.end(), [](char c) { return !IsContinuation(c); }));
}

std::string LimitEdit(std::string_view before, std::string_view after, std::size_t limit, std::size_t& caret) {
    // The edit replaced before's middle with after's: find the parts both share, at character
    // boundaries.
    const std::size_t shorter = std::min(before.size(), after.size());
    std::size_t prefix = 0;
    while (prefix < shorter && before[prefix] == after[prefix]) ++prefix;
    while (prefix > 0 && prefix < after.size() && IsContinuation(after[prefix])) --prefix;
    std::size_t suffix = 0;
    while (prefix + suffix < shorter && before[before.size() - 1 - suffix] == after[after.size() - 1 - suffix]) {
        ++suffix;
    }
    while (suffix > 0 && IsContinuation(after[after.size() - suffix])) --suffix;

    const std::string_view head = after.substr(0, prefix);
    const std::string_view tail = after.substr(after.size() - suffix);
    std::string_view inserted = after.substr(prefix, after.size() - prefix - suffix);
    // An edit that does not lengthen the text is always taken, even on a text over the limit.
    if (Utf8Length(after) > limit && Utf8Length(after) > Utf8Length(before)) {
        const std::size_t kept = Utf8Length(head) + Utf8Length(tail);
        inserted = inserted.substr(0, PrefixBytes(inserted, limit > kept ? limit - kept : 0));
    }
    caret = head.size() + inserted.size();
    std::string result;
    result.reserve(head.size() + inserted.size() + tail.size());
    result.append(head).append(inserted).append(tail);
    return result;
}

}  // namespace scores_dialog
