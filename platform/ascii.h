#pragma once
// ASCII case mapping and comparison: only the letters a-z and A-Z change,
// every other byte stands as it is, whatever the locale.
#include <string_view>

namespace chronell {

constexpr char upperAscii(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }
constexpr char lowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }
constexpr bool isAsciiLetter(char c) { return upperAscii(c) >= 'A' && upperAscii(c) <= 'Z'; }

constexpr bool equalIgnoringAsciiCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (upperAscii(a[i]) != upperAscii(b[i])) return false;
    return true;
}

} // namespace chronell
