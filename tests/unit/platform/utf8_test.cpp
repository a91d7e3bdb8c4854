#include "platform/utf8.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using platform::ReadUtf8;

TEST(ReadUtf8, ReadsEachFormAndWritesItBackTheSame) {
    const struct {
        std::string bytes;
        char32_t code;
    } cases[] = {
        {"A", U'A'},
        {"\x7F", 0x7F},
        {"\xC2\x80", 0x80},
        {"\xC3\xA9", 0xE9},
        {"\xDF\xBF", 0x7FF},
        {"\xE0\xA0\x80", 0x800},
        {"\xE2\x82\xAC", 0x20AC},
        {"\xED\x9F\xBF", 0xD7FF},
        {"\xEE\x80\x80", 0xE000},
        {"\xEF\xBF\xBD", 0xFFFD},
        {"\xF0\x90\x80\x80", 0x10000},
        {"\xF0\x9F\x9A\x80", 0x1F680},
        {"\xF4\x8F\xBF\xBF", 0x10FFFF},
    };
    for (const auto& c : cases) {
        const platform::Utf8Char read = ReadUtf8(c.bytes + "z", 0);
        EXPECT_EQ(read.code, c.code) << c.bytes;
        EXPECT_EQ(read.length, c.bytes.size()) << c.bytes;
        std::string written;
        platform::AppendUtf8(written, c.code);
        EXPECT_EQ(written, c.bytes);
    }
    EXPECT_EQ(ReadUtf8("ab\xC3\xA9", 2).code, char32_t{0xE9}) << "read from the middle of a text";
}

TEST(ReadUtf8, RefusesWhatIsNotWellFormedAndTellsATextCutShort) {
    const struct {
        const char* what;
        std::string bytes;
        bool cutShort;
    } cases[] = {
        {"a lone continuation byte", "\x80z", false},
        {"a lead never used", "\xFFz", false},
        {"overlong two bytes", "\xC0\xAFz", false},
        {"overlong three bytes", "\xE0\x9F\xBFz", false},
        {"overlong four bytes", "\xF0\x8F\xBF\xBFz", false},
        {"a surrogate", "\xED\xA0\x80z", false},
        {"beyond U+10FFFF", "\xF4\x90\x80\x80z", false},
        {"a continuation missing mid-text", "\xE2\x82z", false},
        {"two bytes cut short", "\xC3", true},
        {"four bytes cut short", "\xF0\x9F\x9A", true},
        {"cut short after a bad byte", "\xE2\x28", false},
    };
    for (const auto& c : cases) {
        const platform::Utf8Char read = ReadUtf8(c.bytes, 0);
        EXPECT_EQ(read.length, 0u) << c.what;
        EXPECT_EQ(read.cutShort, c.cutShort) << c.what;
    }
}

}  // namespace
