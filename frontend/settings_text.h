// How the text of a stored setting becomes a control's value, and a value its text.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The leading numeric part of text (after leading blanks): an optional sign, digits, a
// decimal fraction and an exponent; text without one gives 0.
double LeadingNumber(std::string_view text);

// The whole number nearest to value, a half going to the even neighbour (24.5 gives 24).
double RoundHalfToEven(double value);

// What a stored text gives a check box (0 or 1) or a slider (minimum to maximum). An empty
// text gives nothing: the control keeps its value. A number the control cannot hold is taken
// to the nearest value it can (a grayed 2 is ticked).
std::optional<std::int16_t> StoredCheckBoxValue(std::string_view text);
std::optional<std::int32_t> StoredSliderValue(std::string_view text, std::int32_t minimum, std::int32_t maximum);

// A value as it is written: plain decimal, no blanks.
std::string SettingText(std::int32_t value);
