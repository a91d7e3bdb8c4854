#include <gtest/gtest.h>

#include <string>

#include "scores/frm_scores_layout.h"

namespace {

using scores_dialog::LimitEdit;
using scores_dialog::Utf8Length;

std::string Repeat(const std::string& unit, int times) {
    std::string text;
    for (int i = 0; i < times; ++i) text += unit;
    return text;
}

TEST(ScoreDialogNameBox, CountsCharactersNotBytes) {
    EXPECT_EQ(Utf8Length(""), 0u);
    EXPECT_EQ(Utf8Length("Ann Lee"), 7u);
    EXPECT_EQ(Utf8Length("Zoë"), 3u);
    EXPECT_EQ(Utf8Length("日本"), 2u);
    EXPECT_EQ(Utf8Length("a\xF0\x9F\x9A\x80"), 2u);  // a rocket, four bytes
}

struct EditCase {
    const char* what;
    std::string before;
    std::string after;  // what the box made of the edit, before the limit
    std::string kept;
    std::size_t caret;
};

TEST(ScoreDialogNameBox, AnEditKeepsAtMostFifteenCharacters) {
    const std::string full = "abcdefghijklmno";
    const std::string e13 = Repeat("é", 13);
    const EditCase cases[] = {
        {"typed within the limit", "abc", "abcd", "abcd", 4},
        {"typed at the end of a full box", full, full + "p", full, 15},
        {"typed into the middle of a full box", full, "abcXdefghijklmno", full, 3},
        {"pasted at the end, cut to fit", "ab", "ab0123456789ABCDEFGH", "ab0123456789ABC", 15},
        {"pasted over a selection, cut to fit", "abcdef", "ab" + Repeat("X", 15) + "ef", "ab" + Repeat("X", 11) + "ef", 13},
        {"two-byte characters cut whole", e13, e13 + "ñññ", e13 + "ññ", 30},
        {"a character sharing its lead byte with its neighbour", Repeat("é", 15), Repeat("é", 14) + "è" + "é",
         Repeat("é", 15), 28},
        {"four-byte characters cut whole", Repeat("x", 14), Repeat("x", 14) + "\xF0\x9F\x9A\x80\xF0\x9F\x9A\x80",
         Repeat("x", 14) + "\xF0\x9F\x9A\x80", 18},
        {"a deletion from a text already too long", Repeat("y", 17), Repeat("y", 16), Repeat("y", 16), 16},
    };
    for (const EditCase& c : cases) {
        std::size_t caret = 99;
        EXPECT_EQ(LimitEdit(c.before, c.after, 15, caret), c.kept) << c.what;
        EXPECT_EQ(caret, c.caret) << c.what;
    }
}

}  // namespace
