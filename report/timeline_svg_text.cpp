#include "report/timeline_svg_text.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>

#include "analysis/display_text.h"

namespace chronell::report {

namespace {

// The sign, the 309 digits of the largest double, the point and a decimal.
constexpr std::size_t kLongestFixed = 1 + std::numeric_limits<double>::max_exponent10 + 1 + 2;

// Bytes that XML text cannot hold as they are.
constexpr std::array<bool, 256> kNotPlain = [] {
    std::array<bool, 256> table{};
    for (int c = 0; c < 0x20; ++c) table[static_cast<std::size_t>(c)] = c != '\n' && c != '\t';
    for (const unsigned char c : {'&', '<', '>', '"'}) table[c] = true;
    return table;
}();

std::string_view replacementOf(char c)
{
    switch (c) {
    case '&': return "&amp;";
    case '<': return "&lt;";
    case '>': return "&gt;";
    case '"': return "&quot;";
    default: return " ";
    }
}

bool startsCharacter(char byte) { return (static_cast<unsigned char>(byte) & 0xC0) != 0x80; }

} // namespace

void appendCoordinate(std::string& out, double value)
{
    // A value whose tenths lie clearly nearer one whole number than the next
    // (all but values within a hair of a half) is written as that number with
    // a point before its last digit: the error of multiplying is far smaller
    // than the hair, so the rounding cannot differ.
    const double tenths = value * 10;
    const double nearest = std::nearbyint(tenths);
    if (std::fabs(tenths - nearest) < 0.49 && tenths < 1e12 && !std::signbit(value)) {
        char digits[24];
        char* end = std::to_chars(digits, digits + sizeof digits, static_cast<std::int64_t>(nearest)).ptr;
        if (end - digits == 1) out.push_back('0');
        out.append(digits, end - 1).push_back('.');
        out.push_back(end[-1]);
        return;
    }
    char text[kLongestFixed];
    out.append(text, std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, 1).ptr);
}

void appendXmlText(std::string& out, std::string_view bytes)
{
    std::string converted;
    if (!isValidUtf8(bytes)) {
        converted = displayUtf8(bytes);
        bytes = converted;
    }
    std::size_t plainFrom = 0;
    for (std::size_t at = 0; at < bytes.size(); ++at) {
        if (!kNotPlain[static_cast<unsigned char>(bytes[at])]) continue;
        out.append(bytes.substr(plainFrom, at - plainFrom)).append(replacementOf(bytes[at]));
        plainFrom = at + 1;
    }
    out.append(bytes.substr(plainFrom));
}

double textWidth(std::string_view utf8)
{
    return static_cast<double>(std::count_if(utf8.begin(), utf8.end(), startsCharacter)) * kCharWidth;
}

FittedText fittedText(std::string_view utf8, double width)
{
    if (textWidth(utf8) <= width) return {utf8, false};
    const auto room = static_cast<std::size_t>(std::max(0.0, width / kCharWidth - 3));
    if (room == 0) return {};
    std::size_t chars = 0;
    std::size_t at = 0;
    for (; at < utf8.size(); ++at)
        if (startsCharacter(utf8[at]) && chars++ == room) break;
    return {utf8.substr(0, at), true};
}

} // namespace chronell::report
