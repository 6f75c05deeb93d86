#include "analysis/integer_text.h"

#include <array>
#include <string>

#include "platform/chronell_error.h"

namespace chronell {

namespace {

// The value of each byte as a hexadecimal digit, -1 for the other bytes.
constexpr auto kHexDigitValues = [] {
    std::array<signed char, 256> values{};
    values.fill(-1);
    for (int digit = 0; digit < 10; ++digit) values['0' + digit] = static_cast<signed char>(digit);
    for (int digit = 0; digit < 6; ++digit) {
        values['a' + digit] = static_cast<signed char>(10 + digit);
        values['A' + digit] = static_cast<signed char>(10 + digit);
    }
    return values;
}();

int hexDigitValue(char c)
{
    return kHexDigitValues[static_cast<unsigned char>(c)];
}

} // namespace

std::optional<std::uint32_t> tryHexDigits(std::string_view digits)
{
    if (digits.empty()) return std::nullopt;
    std::uint64_t magnitude = 0;
    for (const char c : digits) {
        const int digit = hexDigitValue(c);
        if (digit < 0) return std::nullopt;
        magnitude = magnitude * 16 + static_cast<unsigned>(digit);
        if (magnitude > 0xFFFFFFFFull) return std::nullopt;
    }
    return static_cast<std::uint32_t>(magnitude);
}

std::optional<std::int32_t> tryStrToInt(std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ') ++i;

    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }

    bool hexadecimal = false;
    if (i < text.size() && (text[i] == '$' || text[i] == 'x' || text[i] == 'X')) {
        hexadecimal = true;
        ++i;
    } else if (i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
        hexadecimal = true;
        i += 2;
    }

    if (i == text.size()) return std::nullopt;  // no digits

    if (hexadecimal) {
        const auto pattern = tryHexDigits(text.substr(i));
        if (!pattern) return std::nullopt;
        // A 32-bit pattern: 80000000 and above are negative; a sign negates it.
        return static_cast<std::int32_t>(negative ? 0u - *pattern : *pattern);
    }

    std::uint64_t magnitude = 0;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (c < '0' || c > '9') return std::nullopt;
        magnitude = magnitude * 10 + static_cast<unsigned>(c - '0');
        if (magnitude > 2147483648ull) return std::nullopt;
    }
    if (negative) return static_cast<std::int32_t>(-static_cast<std::int64_t>(magnitude));
    if (magnitude > 2147483647ull) return std::nullopt;
    return static_cast<std::int32_t>(magnitude);
}

std::int32_t StrToInt(std::string_view text)
{
    if (const auto value = tryStrToInt(text)) return *value;
    throw ChronellError("'" + std::string(text) + "' is not a valid integer value");
}

} // namespace chronell
