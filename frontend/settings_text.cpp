#include "frontend/settings_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::string_view Trim(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

// The length of the number at the start of text, 0 when there is none.
std::size_t NumberLength(std::string_view text) {
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    std::size_t digits = 0;
    while (i < text.size() && IsDigit(text[i])) ++i, ++digits;
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && IsDigit(text[i])) ++i, ++digits;
    }
    if (digits == 0) return 0;
    // An exponent counts only when digits follow it.
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        std::size_t j = i + 1;
        if (j < text.size() && (text[j] == '+' || text[j] == '-')) ++j;
        if (j < text.size() && IsDigit(text[j])) {
            while (j < text.size() && IsDigit(text[j])) ++j;
            i = j;
        }
    }
    return i;
}

// A number the text holds, rounded as a whole-number control takes it.
std::optional<double> StoredNumber(std::string_view text) {
    if (text.empty()) return std::nullopt;
    return RoundHalfToEven(LeadingNumber(Trim(text)));
}

}  // namespace

double LeadingNumber(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    std::string_view number = text.substr(0, NumberLength(text));
    if (number.empty()) return 0;
    const bool negative = number.front() == '-';
    if (number.front() == '+' || number.front() == '-') number.remove_prefix(1);
    double value = 0;
    const auto result = std::from_chars(number.data(), number.data() + number.size(), value);
    if (result.ec == std::errc::result_out_of_range) {
        // Beyond a double: too small when the exponent is negative or the digits start after
        // the point, too large otherwise.
        const std::size_t exponent = number.find_first_of("eE");
        const bool tiny = exponent != std::string_view::npos
                              ? number[exponent + 1] == '-'
                              : number.find_first_of("123456789") > number.find('.');
        value = tiny ? 0.0 : HUGE_VAL;
    }
    return negative ? -value : value;
}

double RoundHalfToEven(double value) {
    if (!std::isfinite(value)) return value;
    const double below = std::floor(value);
    const double rest = value - below;
    if (rest > 0.5) return below + 1;
    if (rest < 0.5) return below;
    return std::fmod(below, 2.0) == 0 ? below : below + 1;
}

std::optional<std::int16_t> StoredCheckBoxValue(std::string_view text) {
    const std::optional<double> number = StoredNumber(text);
    if (!number) return std::nullopt;
    return static_cast<std::int16_t>(std::clamp(*number, 0.0, 1.0));
}

std::optional<std::int32_t> StoredSliderValue(std::string_view text, std::int32_t minimum, std::int32_t maximum) {
    const std::optional<double> number = StoredNumber(text);
    if (!number) return std::nullopt;
    return static_cast<std::int32_t>(std::clamp(*number, double(minimum), double(maximum)));
}

std::string SettingText(std::int32_t value) { return std::to_string(value); }
