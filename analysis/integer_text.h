#pragma once
// The integer text rule: text to a 32-bit signed integer (decimal, or
// hexadecimal after "$", "x", "X", "0x", "0X"), in a quiet and a raising form.
#include <cstdint>
#include <optional>
#include <string_view>

namespace chronell {

// One or more hexadecimal digits of either case and nothing else, whose
// value fits in 32 bits; nothing otherwise.
std::optional<std::uint32_t> tryHexDigits(std::string_view digits);

// The number the text spells, or nothing when it does not read.
std::optional<std::int32_t> tryStrToInt(std::string_view text);

// The number the text spells; throws ChronellError
// "'<text>' is not a valid integer value" when it does not read.
std::int32_t StrToInt(std::string_view text);

} // namespace chronell
