// The float text of a double: the general number format with 15 significant
// digits. Built from std::to_chars, so the C library's locale never shows.
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <string>
#include <system_error>

#include "analysis/duration.h"

namespace chronell {

namespace {

constexpr int kPrecision = 15;

// A double's exact decimal expansion has at most 767 significant digits.
constexpr int kExactDigits = 770;

struct RoundedDigits {
    std::string digits;  // 1 to 15 digits, no trailing zeros
    int exponent = 0;    // value = 0.d1d2d3... * 10^exponent
};

// Seconds values and their sums are whole milliseconds. When a value is the
// double nearest to n / 1000 for an n below 10^15, its 15-digit rounding is
// that decimal itself (the double lies within 1.2e-16 of it, the rounding
// steps are at least 5e-16 of it away), so the digits are those of n.
bool roundMilliseconds(double magnitude, RoundedDigits& rounded)
{
    if (!(magnitude < 1e12)) return false;
    const double thousandths = std::nearbyint(magnitude * 1000.0);
    if (thousandths < 1.0 || thousandths / 1000.0 != magnitude) return false;
    std::array<char, 20> buffer{};
    const auto end = std::to_chars(buffer.data(), buffer.data() + buffer.size(),
                                   static_cast<std::uint64_t>(thousandths)).ptr;
    rounded.digits.assign(buffer.data(), end);
    rounded.exponent = static_cast<int>(rounded.digits.size()) - 3;
    rounded.digits.erase(rounded.digits.find_last_not_of('0') + 1);
    return true;
}

// Rounds a positive finite value to 15 significant digits, the 16th digit of
// its exact expansion deciding (5 or more rounds the magnitude up).
RoundedDigits roundToPrecision(double magnitude)
{
    if (RoundedDigits rounded; roundMilliseconds(magnitude, rounded)) return rounded;

    std::array<char, kExactDigits + 16> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), magnitude,
                                      std::chars_format::scientific, kExactDigits);
    // result.ec is never set: the buffer holds the longest expansion.
    const std::string_view text(buffer.data(), static_cast<std::size_t>(result.ptr - buffer.data()));
    const std::size_t e = text.find('e');

    std::string digits;  // d1 d2 d3 ... without the point
    for (std::size_t i = 0; i < e && digits.size() <= kPrecision; ++i)
        if (text[i] != '.') digits += text[i];
    int exponent10 = 0;
    const char* expBegin = text.data() + e + 1;
    if (*expBegin == '+') ++expBegin;
    std::from_chars(expBegin, text.data() + text.size(), exponent10);

    RoundedDigits rounded;
    rounded.exponent = exponent10 + 1;
    const bool roundUp = digits[kPrecision] >= '5';
    digits.resize(kPrecision);
    if (roundUp) {
        int i = kPrecision - 1;
        while (i >= 0 && digits[static_cast<std::size_t>(i)] == '9') digits[static_cast<std::size_t>(i--)] = '0';
        if (i < 0) {
            digits.insert(digits.begin(), '1');  // 999...9 became 1000...0
            digits.pop_back();
            ++rounded.exponent;
        } else {
            ++digits[static_cast<std::size_t>(i)];
        }
    }
    digits.erase(digits.find_last_not_of('0') + 1);
    rounded.digits = std::move(digits);
    return rounded;
}

void appendSeparator(std::string& text, char separator)
{
    if (separator != '\0') text += separator;  // a NUL separator writes nothing
}

} // namespace

std::string floatText(double value, char decimalSeparator)
{
    if (std::isnan(value)) return "NAN";
    if (std::isinf(value)) return value < 0 ? "-INF" : "INF";
    if (value == 0.0) return "0";

    const RoundedDigits rounded = roundToPrecision(std::fabs(value));
    const std::string& digits = rounded.digits;
    const int exponent = rounded.exponent;

    std::string text = value < 0 ? "-" : "";
    if (exponent >= -3 && exponent <= kPrecision) {
        // Fixed notation, never with thousands separators.
        if (exponent <= 0) {
            text += '0';
            appendSeparator(text, decimalSeparator);
            text.append(static_cast<std::size_t>(-exponent), '0');
            text += digits;
        } else {
            const auto wholeCount = static_cast<std::size_t>(exponent);
            if (digits.size() <= wholeCount) {
                text += digits;
                text.append(wholeCount - digits.size(), '0');
            } else {
                text.append(digits, 0, wholeCount);
                appendSeparator(text, decimalSeparator);
                text.append(digits, wholeCount);
            }
        }
        return text;
    }

    // Exponent notation: 1E15, 1.5E16, 5E-5.
    text += digits[0];
    if (digits.size() > 1) {
        appendSeparator(text, decimalSeparator);
        text.append(digits, 1);
    }
    text += 'E';
    const int shown = exponent - 1;
    if (shown < 0) text += '-';
    std::array<char, 8> exponentDigits{};
    const auto end = std::to_chars(exponentDigits.data(), exponentDigits.data() + exponentDigits.size(),
                                   shown < 0 ? -shown : shown).ptr;
    text.append(exponentDigits.data(), end);
    return text;
}

} // namespace chronell
