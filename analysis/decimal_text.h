#pragma once
// The decimal text of an integer, as the log and the exports write it.
#include <charconv>
#include <cstdint>
#include <string>

namespace chronell {

inline void appendDecimal(std::string& text, std::int64_t value)
{
    char buffer[24];
    text.append(buffer, std::to_chars(buffer, buffer + sizeof buffer, value).ptr);
}

inline std::string decimalText(std::int64_t value)
{
    std::string text;
    appendDecimal(text, value);
    return text;
}

} // namespace chronell
