#include "frontend/settings_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <string>

namespace {

TEST(LeadingNumber, ReadsTheNumberAtTheStartOfTheText) {
    struct Case {
        const char* text;
        double number;
    };
    const Case cases[] = {
        {"10", 10},      {"  42", 42},      {"24.5", 24.5},   {"-7", -7},     {"+3", 3},       {".5", 0.5},
        {"5.", 5},       {"40ms", 40},      {"1,5", 1},       {"1e3", 1000},  {"2E-1", 0.2},   {"3e", 3},
        {"4e+", 4},      {"12 34", 12},     {"abc", 0},       {"", 0},        {"-", 0},        {".", 0},
        {"&H10", 0},     {"0x10", 0},       {"inf", 0},       {"nan", 0},     {"- 5", 0},      {"\t8", 8},
    };
    for (const Case& c : cases) EXPECT_DOUBLE_EQ(LeadingNumber(c.text), c.number) << '"' << c.text << '"';
}

TEST(LeadingNumber, NumbersBeyondADoubleGoToTheirLimit) {
    EXPECT_EQ(LeadingNumber("1e400"), HUGE_VAL);
    EXPECT_EQ(LeadingNumber("-1e400"), -HUGE_VAL);
    EXPECT_EQ(LeadingNumber(std::string(400, '9')), HUGE_VAL);
    EXPECT_EQ(LeadingNumber("1e-400"), 0.0);
    EXPECT_EQ(LeadingNumber("0." + std::string(400, '0') + "1"), 0.0);
}

TEST(RoundHalfToEven, AHalfGoesToTheEvenNeighbour) {
    struct Case {
        double value;
        double rounded;
    };
    const Case cases[] = {
        {24.5, 24}, {25.5, 26}, {0.5, 0},    {1.5, 2},      {2.5, 2},   {-0.5, 0},  {-1.5, -2},
        {-2.5, -2}, {24.4999, 24}, {24.5001, 25}, {7, 7}, {-7.6, -8}, {1e15 + 0.5, 1e15},
    };
    for (const Case& c : cases) EXPECT_EQ(RoundHalfToEven(c.value), c.rounded) << c.value;
}

TEST(StoredCheckBoxValue, IsZeroOrOne) {
    struct Case {
        const char* text;
        std::optional<std::int16_t> value;
    };
    const Case cases[] = {
        {"1", 1},   {"0", 0},     {"  0 ", 0}, {" 1\t", 1}, {"2", 1},   {"7", 1},     {"-1", 0},
        {"0.5", 0}, {"0.51", 1},  {"1.5", 1},  {"abc", 0},  {"1abc", 1}, {"1e9", 1}, {"   ", 0},
        {"", std::nullopt},
    };
    for (const Case& c : cases) EXPECT_EQ(StoredCheckBoxValue(c.text), c.value) << '"' << c.text << '"';
}

TEST(StoredSliderValue, IsAPeriodTheSliderCanHold) {
    struct Case {
        const char* text;
        std::optional<std::int32_t> value;
    };
    const Case cases[] = {
        {"10", 10},       {"24.5", 24}, {"25.5", 26}, {" 33 ", 33}, {"40ms", 40}, {"1", 1},  {"66", 66},
        {"0", 1},         {"-5", 1},    {"67", 66},   {"1e3", 66},  {"1e400", 66}, {"abc", 1}, {"0.5", 1},
        {"", std::nullopt},
    };
    for (const Case& c : cases) EXPECT_EQ(StoredSliderValue(c.text, 1, 66), c.value) << '"' << c.text << '"';
}

TEST(SettingText, IsPlainDecimalWithoutBlanks) {
    EXPECT_EQ(SettingText(1), "1");
    EXPECT_EQ(SettingText(0), "0");
    EXPECT_EQ(SettingText(66), "66");
    EXPECT_EQ(SettingText(-12), "-12");
}

}  // namespace
