// The faces of the picture buttons: a yellow field with a slight bevel and the word in
// black, centred. Several buttons are narrower than their face and show only its middle
// (31 pixels for Ok, << and >>; 67 for Help and Ok), so every word stays compact there.
#include <iterator>
#include <string_view>
#include <utility>

#include "tools/art/picture_registry.h"
#include "tools/art/window_lettering.h"

namespace art {
namespace {

constexpr int Width = 91;
constexpr int Height = 17;
constexpr int LineTop = 3;  // capitals on rows 4 to 11: mixed case then sits in the middle

Colour FieldColour(int x, int y) {
    const double t = static_cast<double>(y) / (Height - 1);
    Colour c = Mix(Rgb255(255, 236, 84), Rgb255(244, 188, 20), t);
    // The bevel: lit from the upper left.
    if (y == 0 || x == 0) c = Rgb255(255, 250, 196);
    if (y == Height - 1 || x == Width - 1) c = Rgb255(196, 130, 8);
    if ((y == 1 && x > 0) || (x == 1 && y > 0)) c = Mix(c, Rgb255(255, 250, 196), 0.45);
    if ((y == Height - 2 && x < Width - 1) || (x == Width - 2 && y < Height - 1)) c = Mix(c, Rgb255(196, 130, 8), 0.4);
    return c;
}

// The font's own angle brackets are thin; the paging buttons get two heavy chevrons.
constexpr const char* Chevron[] = {"...##", "..##.", ".##..", "##...", ".##..", "..##.", "...##"};
constexpr int ChevronWidth = 5, ChevronRows = 7, ChevronPitch = 4;
constexpr int ChevronTop = (Height - ChevronRows) / 2;

void PaintChevrons(Canvas& canvas, bool pointsLeft) {
    const int total = ChevronPitch + ChevronWidth;
    const int left = (Width - total) / 2;
    for (int n = 0; n < 2; ++n) {
        for (int row = 0; row < ChevronRows; ++row) {
            for (int col = 0; col < ChevronWidth; ++col) {
                const char mark = Chevron[row][pointsLeft ? col : ChevronWidth - 1 - col];
                if (mark == '#') canvas.Over(left + n * ChevronPitch + col, ChevronTop + row, Rgb255(0, 0, 0), 1);
            }
        }
    }
}

platform::Surface Face(std::string_view word) {
    Canvas canvas(Width, Height);
    for (int y = 0; y < Height; ++y) {
        for (int x = 0; x < Width; ++x) canvas.At(x, y) = {FieldColour(x, y), 1};
    }
    if (word == "<<" || word == ">>") {
        PaintChevrons(canvas, word == "<<");
    } else {
        PaintTextCentred(canvas, word, Width / 2.0, LineTop, {Rgb255(0, 0, 0)});
    }
    return canvas.ToSurface(0);
}

struct FaceDesign {
    const char* list;
    const char* word;
};

constexpr FaceDesign Faces[] = {
    {"face_StartGame", "Start Game"},
    {"face_HighScores", "High Scores"},
    {"face_Options", "Options"},
    {"face_Information", "Information"},
    {"face_About", "About"},
    {"face_Help", "Help"},
    {"face_Exit", "Exit"},
    {"face_Ok", "Ok"},
    {"face_Prev", "<<"},
    {"face_Next", ">>"},
};

// One painter per face, as the registry takes plain functions.
template <int I>
std::vector<platform::Surface> PaintFace() {
    return {Face(Faces[I].word)};
}

template <int... I>
bool RegisterFaces(std::integer_sequence<int, I...>) {
    return (RegisterPictures(Faces[I].list, Width, Height, 1, PaintFace<I>) && ...);
}

[[maybe_unused]] const bool registered = RegisterFaces(std::make_integer_sequence<int, std::size(Faces)>());

}  // namespace
}  // namespace art
