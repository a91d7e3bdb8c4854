// The arithmetic of the high-score dialog that needs no window: its design in twips and the
// limit of its name box.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace scores_dialog {

constexpr int TwipsPerPixel = 15;

// Pixels from twips, to the nearest pixel.
int TwipsToPixels(int twips);
constexpr int PixelsToTwips(int pixels) { return pixels * TwipsPerPixel; }

struct TwipsRect {
    int left;
    int top;
    int width;
    int height;
};

// Left (or top) edge, in twips, that centres a window of windowSize on a screen of screenSize:
// the difference rounded to a whole twip, a half to the even neighbour, then halved with the
// remainder dropped.
int CentredEdge(double screenSize, double windowSize);

// Characters of UTF-8 text (lead bytes; a stray continuation byte counts with its lead).
std::size_t Utf8Length(std::string_view text);

// The text a box that holds at most limit characters keeps after an edit turned before into
// after: what the edit inserted is cut to the room left, never inside a character; the text
// around it stays. caret is set to the end of what was kept of the insertion.
std::string LimitEdit(std::string_view before, std::string_view after, std::size_t limit, std::size_t& caret);

}  // namespace scores_dialog
