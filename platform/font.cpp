#include "platform/font.h"

#include <array>
#include <climits>
#include <cstddef>

namespace platform {
namespace {

constexpr int GlyphRows = 11;
// Advance of the blank, which has no pixels and so no place in the sheet; characters the
// font lacks advance the same.
constexpr int BlankAdvance = 3;

// The glyphs, drawn as they appear: each block is a line naming the characters, each above its
// glyph's first column, then the glyph rows from the top of the line down. Glyphs are set apart
// by a blank column; a glyph's width is its advance, its own spacing included. Capitals stand
// on the baseline below row 8 and reach up to row 1; rows 9 and 10 hold the descenders.
constexpr std::string_view Sheet = R"sheet(
!    "     #      $      %          &        '   (    )    *    +      ,   -    .   /   0
.... ##.## ...... ..#... .......... ........ ##. .... .... .... ...... ... .... ... ... ......
.##. ##.## ..#.#. .###.. .##...#... .###.... ##. ..#. #... .#.. ...... ... .... ... ..# .###..
.##. ##.## ..#.#. ##.##. #..#..#... ##.##... ##. .##. ##.. ###. ...... ... .... ... ..# ##.##.
.##. ..... #####. ##.... #..#.#.... ##.##... ... ##.. .##. #.#. ..#... ... .... ... .#. ##.##.
.##. ..... .#.#.. .###.. .##..#.... .###.... ... ##.. .##. .... ..#... ... .... ... .#. ##.##.
.##. ..... .#.#.. ...##. ....#..##. ####.##. ... ##.. .##. .... #####. ... ###. ... .#. ##.##.
.... ..... #####. ##.##. ....#.#..# ##.###.. ... ##.. .##. .... ..#... ... .... ... #.. ##.##.
.##. ..... #.#... .###.. ...#..#..# ##..##.. ... ##.. .##. .... ..#... ##. .... ##. #.. ##.##.
.##. ..... #.#... ..#... ...#...##. .###.##. ... ##.. .##. .... ...... ##. .... ##. #.. .###..
.... ..... ...... ...... .......... ........ ... .##. ##.. .... ...... .#. .... ... ... ......
.... ..... ...... ...... .......... ........ ... ..#. #... .... ...... #.. .... ... ... ......

1      2      3      4      5      6      7      8      9      :    ;    <      =      >
...... ...... ...... ...... ...... ...... ...... ...... ...... .... .... ...... ...... ......
..##.. .###.. .###.. ...##. #####. .###.. #####. .###.. .###.. .... .... ...... ...... ......
.###.. ##.##. ##.##. ..###. ##.... ##.##. ...##. ##.##. ##.##. .... .... ...... ...... ......
####.. ...##. ...##. ..###. ##.... ##.... ..##.. ##.##. ##.##. .##. .##. ....#. ...... #.....
..##.. ..###. ..##.. .#.##. ####.. ####.. ..##.. .###.. ##.##. .##. .##. ..###. #####. ###...
..##.. ..##.. ...##. ##.##. ...##. ##.##. .##... ##.##. .####. .... .... ###... ...... ..###.
..##.. .##... ...##. #####. ...##. ##.##. .##... ##.##. ...##. .... .... ..###. #####. ###...
..##.. ##.... ##.##. ...##. ##.##. ##.##. .##... ##.##. ##.##. .##. .##. ....#. ...... #.....
..##.. #####. .###.. ...##. .###.. .###.. .##... .###.. .###.. .##. .##. ...... ...... ......
...... ...... ...... ...... ...... ...... ...... ...... ...... .... ..#. ...... ...... ......
...... ...... ...... ...... ...... ...... ...... ...... ...... .... .#.. ...... ...... ......

?       @           A        B        C        D        E       F       G         H        I
....... ........... ........ ........ ........ ........ ....... ....... ......... ........ ...
.####.. ...#####... ..###... .#####.. ..####.. .####... .#####. .#####. ...####.. .##..##. ##.
##..##. ..#.....#.. ..###... .##..##. .##..##. .##.##.. .##.... .##.... ..##..##. .##..##. ##.
....##. .#..##.#.#. .##.##.. .##..##. ##...... .##..##. .##.... .##.... .##...... .##..##. ##.
...##.. .#.#..##.#. .##.##.. .#####.. ##...... .##..##. .####.. .####.. .##...... .######. ##.
..##... .#.#..#..#. .##.##.. .##..##. ##...... .##..##. .##.... .##.... .##..###. .##..##. ##.
..##... .#.#.##.#.. #######. .##..##. ##...... .##..##. .##.... .##.... .##...##. .##..##. ##.
....... .#..#.##... ##...##. .##..##. .##..##. .##.##.. .##.... .##.... ..##..##. .##..##. ##.
..##... ..#......#. ##...##. .#####.. ..####.. .####... .#####. .##.... ...####.. .##..##. ##.
....... ...######.. ........ ........ ........ ........ ....... ....... ......... ........ ...
....... ........... ........ ........ ........ ........ ....... ....... ......... ........ ...

J      K        L       M         N        O         P       Q         R        S       T
...... ........ ....... ......... ........ ......... ....... ......... ........ ....... .......
...##. .##..##. .##.... .##...##. .##..##. ...###... .####.. ...###... .#####.. .####.. ######.
...##. .##.##.. .##.... .###.###. .###.##. ..##.##.. .##.##. ..##.##.. .##..##. ##..##. ..##...
...##. .####... .##.... .###.###. .###.##. .##...##. .##.##. .##...##. .##..##. ##..... ..##...
...##. .###.... .##.... .##.#.##. .######. .##...##. .####.. .##...##. .#####.. ####... ..##...
...##. .####... .##.... .##.#.##. .##.###. .##...##. .##.... .##...##. .##.##.. ..####. ..##...
##.##. .##.##.. .##.... .##.#.##. .##.###. .##...##. .##.... .##.#.##. .##..##. ....##. ..##...
##.##. .##..##. .##.... .##...##. .##..##. ..##.##.. .##.... ..##.##.. .##..##. ##..##. ..##...
.###.. .##..##. .#####. .##...##. .##..##. ...###... .##.... ...#####. .##..##. .####.. ..##...
...... ........ ....... ......... ........ ......... ....... ......... ........ ....... .......
...... ........ ....... ......... ........ ......... ....... ......... ........ ....... .......

U        V       W          X       Y       Z       [    \   ]    ^      _      `    a
........ ....... .......... ....... ....... ....... .... ... .... ...... ...... .... ......
.##..##. ##...## ##..#..##. ##...## ##..##. ######. .### #.. ###. ..#... ...... ##.. ......
.##..##. ##...## ##.###.##. .##.##. ##..##. ....##. .##. #.. .##. .###.. ...... .#.. ......
.##..##. .##.##. ##.###.##. ..###.. .####.. ...##.. .##. .#. .##. ##.##. ...... .... .###..
.##..##. .##.##. ##.#.#.##. ..###.. .####.. ...##.. .##. .#. .##. #...#. ...... .... ...##.
.##..##. .##.##. .###.###.. .##.##. ..##... ..##... .##. .#. .##. ...... ...... .... .####.
.##..##. ..###.. .###.###.. .##.##. ..##... .##.... .##. ..# .##. ...... ...... .... ##.##.
.##..##. ..###.. .##...##.. ##...## ..##... ##..... .##. ..# .##. ...... ...... .... ##.##.
..####.. ...#... .##...##.. ##...## ..##... ######. .##. ..# .##. ...... ...... .... .####.
........ ....... .......... ....... ....... ....... .##. ... .##. ...... ...... .... ......
........ ....... .......... ....... ....... ....... .### ... ###. ...... ###### .... ......

b       c      d       e      f    g       h       i   j   k      l   m          n
....... ...... ....... ...... .... ....... ....... ... ... ...... ... .......... .......
##..... ...... ....##. ...... ..## ....... ##..... ##. ##. ##.... ##. .......... .......
##..... ...... ....##. ...... .##. ....... ##..... ... ... ##.... ##. .......... .......
#####.. .###.. .#####. .###.. #### .#####. #####.. ##. ##. ##.##. ##. #########. #####..
##..##. ##.##. ##..##. ##.##. .##. ##..##. ##..##. ##. ##. ####.. ##. ##..##.##. ##..##.
##..##. ##.... ##..##. #####. .##. ##..##. ##..##. ##. ##. ###... ##. ##..##.##. ##..##.
##..##. ##.... ##..##. ##.... .##. ##..##. ##..##. ##. ##. ####.. ##. ##..##.##. ##..##.
##..##. ##.##. ##..##. ##.##. .##. ##..##. ##..##. ##. ##. ##.##. ##. ##..##.##. ##..##.
#####.. .###.. .#####. .###.. .##. .#####. ##..##. ##. ##. ##.##. ##. ##..##.##. ##..##.
....... ...... ....... ...... .... ....##. ....... ... ##. ...... ... .......... .......
....... ...... ....... ...... .... .####.. ....... ... #.. ...... ... .......... .......

o       p       q       r    s      t    u       v      w         x      y      z      {    |
....... ....... ....... .... ...... .... ....... ...... ......... ...... ...... ...... .... ...
....... ....... ....... .... ...... .... ....... ...... ......... ...... ...... ...... ..## .#.
....... ....... ....... .... ...... .##. ....... ...... ......... ...... ...... ...... .##. .#.
.####.. #####.. .#####. ###. .####. #### ##..##. ##.##. ##....##. ##.##. ##.##. #####. .##. .#.
##..##. ##..##. ##..##. ##.. ##.... .##. ##..##. ##.##. ##.##.##. ##.##. ##.##. ...##. .##. .#.
##..##. ##..##. ##..##. ##.. ###... .##. ##..##. ##.##. ##.##.##. .###.. ##.##. ..##.. #... .#.
##..##. ##..##. ##..##. ##.. ..###. .##. ##..##. .###.. ##.##.##. .###.. .###.. .##... .##. .#.
##..##. ##..##. ##..##. ##.. ...##. .##. ##..##. .###.. .##..##.. ##.##. .###.. ##.... .##. .#.
.####.. #####.. .#####. ##.. ####.. ..## .#####. ..#... .##..##.. ##.##. ..#... #####. .##. .#.
....... ##..... ....##. .... ...... .... ....... ...... ......... ...... .##... ...... .##. .#.
....... ##..... ....##. .... ...... .... ....... ...... ......... ...... ##.... ...... ..## .#.

}    ~
.... ......
##.. ......
.##. ......
.##. ......
.##. .##..#
...# #..##.
.##. ......
.##. ......
.##. ......
.##. ......
##.. ......
)sheet";

struct GlyphPlace {
    std::size_t topRow = 0;  // offset of the glyph's top row in the sheet
    std::size_t stride = 0;  // from one row of its block to the next
    int width = 0;           // 0 for a character the sheet does not hold
};

struct SheetIndex {
    std::array<GlyphPlace, 128> glyphs{};
    bool valid = true;
};

constexpr std::string_view LineAt(std::string_view text, std::size_t at) {
    if (at >= text.size()) return {};
    const std::size_t end = text.find('\n', at);
    return text.substr(at, end == std::string_view::npos ? std::string_view::npos : end - at);
}

// Finds every glyph in the sheet, and fails on a ragged block, a stray mark, a name that does
// not stand over a glyph, or a printable character named twice or not at all.
constexpr SheetIndex IndexSheet(std::string_view sheet) {
    SheetIndex index;
    std::size_t at = 0;
    while (at < sheet.size()) {
        const std::string_view names = LineAt(sheet, at);
        if (names.empty()) {
            ++at;
            continue;
        }
        const std::size_t top = at + names.size() + 1;
        const std::string_view first = LineAt(sheet, top);
        const std::size_t stride = first.size() + 1;
        if (first.empty() || names.size() > first.size()) index.valid = false;
        for (int row = 0; row < GlyphRows && index.valid; ++row) {
            const std::string_view line = LineAt(sheet, top + static_cast<std::size_t>(row) * stride);
            if (line.size() != first.size()) index.valid = false;
            for (std::size_t col = 0; col < line.size() && index.valid; ++col) {
                const char mark = line[col];
                if ((mark == ' ') != (first[col] == ' ') || (mark != ' ' && mark != '#' && mark != '.')) {
                    index.valid = false;
                }
            }
        }
        for (std::size_t col = 0; col < first.size() && index.valid; ++col) {
            const bool starts = first[col] != ' ' && (col == 0 || first[col - 1] == ' ');
            const char name = col < names.size() ? names[col] : ' ';
            if (starts != (name != ' ')) {
                index.valid = false;
                break;
            }
            if (!starts) continue;
            const auto code = static_cast<unsigned char>(name);
            if (code < 33 || code > 126 || index.glyphs[code].width != 0) {
                index.valid = false;
                break;
            }
            std::size_t end = col;
            while (end < first.size() && first[end] != ' ') ++end;
            index.glyphs[code] = {top + col, stride, static_cast<int>(end - col)};
        }
        at = top + GlyphRows * stride;
    }
    for (int code = 33; code <= 126; ++code) {
        if (index.glyphs[code].width == 0) index.valid = false;
    }
    return index;
}

constexpr SheetIndex Glyphs = IndexSheet(Sheet);
static_assert(Glyphs.valid, "the glyph sheet is malformed");

int Saturated(long long value) { return value > INT_MAX ? INT_MAX : static_cast<int>(value); }

class SheetFont final : public BitmapFont {
public:
    int LineHeight() const override { return GlyphRows; }

    int Advance(char c) const override {
        const int width = Place(c).width;
        return width > 0 ? width : BlankAdvance;
    }

    int Draw(Surface& target, int x, int y, std::string_view text, Pixel colour) const override {
        long long pen = x;
        const bool rowsShow = y < target.Height() && y > -GlyphRows;
        for (const char c : text) {
            const GlyphPlace& glyph = Place(c);
            if (rowsShow && glyph.width > 0 && pen < target.Width() && pen > -glyph.width) {
                Paint(target, static_cast<int>(pen), y, glyph, colour);
            }
            pen += Advance(c);
        }
        return Saturated(pen);
    }

private:
    static const GlyphPlace& Place(char c) {
        static constexpr GlyphPlace none{};
        const auto code = static_cast<unsigned char>(c);
        return code < Glyphs.glyphs.size() ? Glyphs.glyphs[code] : none;
    }

    static void Paint(Surface& target, int x, int y, const GlyphPlace& glyph, Pixel colour) {
        for (int row = 0; row < GlyphRows; ++row) {
            const std::string_view line =
                Sheet.substr(glyph.topRow + static_cast<std::size_t>(row) * glyph.stride, glyph.width);
            for (int col = 0; col < glyph.width; ++col) {
                if (line[col] == '#') target.Plot(x + col, y + row, colour);
            }
        }
    }
};

}  // namespace

int BitmapFont::TextWidth(std::string_view text) const {
    long long width = 0;
    for (const char c : text) width += Advance(c);
    return Saturated(width);
}

const BitmapFont& BoldSans11() {
    static const SheetFont font;
    return font;
}

}  // namespace platform
