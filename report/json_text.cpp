#include "report/json_text.h"

#include <chrono>
#include <cstdint>
#include <cstring>

#include "analysis/decimal_text.h"
#include "analysis/display_text.h"
#include "analysis/duration.h"

namespace chronell::report {

namespace {

// Escapes the UTF-8 text into `out`; runs of bytes that need no escape are
// appended whole.
void appendEscaped(std::string& out, std::string_view text)
{
    static constexpr char hex[] = "0123456789abcdef";
    std::size_t plain = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        const auto byte = static_cast<unsigned char>(c);
        if (c != '"' && c != '\\' && byte >= 0x20) continue;
        out.append(text.substr(plain, i - plain));
        plain = i + 1;
        if (byte >= 0x20) {
            out.push_back('\\');
            out.push_back(c);
        } else {
            out.append("\\u00");
            out.push_back(hex[byte >> 4]);
            out.push_back(hex[byte & 0xF]);
        }
    }
    out.append(text.substr(plain));
}

// Whether the bytes are ASCII that a JSON string holds unescaped. Eight
// bytes are looked at a time: a word has a byte of 0x80 or above, below
// 0x20, or equal to a quote or backslash (zero after the XOR) when the
// classic tests for a byte below a bound set a high bit.
bool standsAsItIs(std::string_view bytes)
{
    constexpr std::uint64_t ones = 0x0101010101010101ull;
    constexpr std::uint64_t highs = 0x8080808080808080ull;
    const auto below = [](std::uint64_t word, std::uint64_t bound) { return (word - ones * bound) & ~word; };
    std::size_t i = 0;
    for (; i + 8 <= bytes.size(); i += 8) {
        std::uint64_t word;
        std::memcpy(&word, bytes.data() + i, sizeof word);
        if ((word | below(word, 0x20) | below(word ^ (ones * '"'), 1) | below(word ^ (ones * '\\'), 1)) & highs)
            return false;
    }
    for (; i < bytes.size(); ++i) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        if (byte < 0x20 || byte >= 0x80 || byte == '"' || byte == '\\') return false;
    }
    return true;
}

} // namespace

void appendJsonString(std::string& out, std::string_view bytes)
{
    out.push_back('"');
    // ASCII without a byte to escape, the usual case, is appended whole;
    // other valid UTF-8 is escaped as it stands, without a copy.
    if (standsAsItIs(bytes))
        out.append(bytes);
    else if (isValidUtf8(bytes))
        appendEscaped(out, bytes);
    else
        appendEscaped(out, displayUtf8(bytes));
    out.push_back('"');
}

void appendJsonOptionalString(std::string& out, const std::optional<std::string>& bytes)
{
    if (bytes)
        appendJsonString(out, *bytes);
    else
        out.append("null");
}

void appendIsoUtc(std::string& out, Instant instant)
{
    using namespace std::chrono;
    const sys_days day = floor<days>(instant);
    const year_month_day date{day};
    const auto ofDay = (instant - day).count();
    const auto seconds = static_cast<unsigned>(ofDay / 1000);
    const auto ms = static_cast<unsigned>(ofDay % 1000);
    const int year = static_cast<int>(date.year());
    if (year < 0) out.push_back('-');
    appendZeroPadded(out, static_cast<std::uint64_t>(year < 0 ? -year : year), 4);
    // The rest has fixed widths: written into place, then appended at once.
    char text[] = "-MM-DDTHH:MM:SS.mmmZ";
    const auto put = [&text](std::size_t at, unsigned value, std::size_t width) {
        for (std::size_t i = at + width; i-- > at; value /= 10) text[i] = static_cast<char>('0' + value % 10);
    };
    put(1, static_cast<unsigned>(date.month()), 2);
    put(4, static_cast<unsigned>(date.day()), 2);
    put(7, seconds / 3600, 2);
    put(10, seconds / 60 % 60, 2);
    put(13, seconds % 60, 2);
    if (ms != 0) {
        put(16, ms, 3);
        out.append(text, sizeof text - 1);
    } else {
        out.append(text, 15).push_back('Z');
    }
}

std::string isoUtcText(Instant instant)
{
    std::string iso;
    appendIsoUtc(iso, instant);
    return iso;
}

void appendJsonInstant(std::string& out, const std::optional<Instant>& instant)
{
    if (!instant) {
        out.append("null");
        return;
    }
    out.push_back('"');
    appendIsoUtc(out, *instant);
    out.push_back('"');
}

void appendJsonNumber(std::string& out, const std::optional<std::int64_t>& number)
{
    if (!number) {
        out.append("null");
        return;
    }
    appendDecimal(out, *number);
}

} // namespace chronell::report
