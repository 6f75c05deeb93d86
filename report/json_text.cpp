#include "report/json_text.h"

#include <chrono>
#include <cstdio>

#include "analysis/decimal_text.h"
#include "analysis/display_text.h"

namespace chronell::report {

void appendJsonString(std::string& out, std::string_view bytes)
{
    static constexpr char hex[] = "0123456789abcdef";
    out.push_back('"');
    for (const char c : displayUtf8(bytes)) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out.push_back('\\');
            out.push_back(c);
        } else if (byte < 0x20) {
            out.append("\\u00");
            out.push_back(hex[byte >> 4]);
            out.push_back(hex[byte & 0xF]);
        } else {
            out.push_back(c);
        }
    }
    out.push_back('"');
}

void appendJsonOptionalString(std::string& out, const std::optional<std::string>& bytes)
{
    if (bytes)
        appendJsonString(out, *bytes);
    else
        out.append("null");
}

std::string isoUtcText(Instant instant)
{
    using namespace std::chrono;
    const sys_days day = floor<days>(instant);
    const year_month_day date{day};
    const auto ofDay = instant - day;
    const auto ms = ofDay.count() % 1000;
    const auto s = ofDay.count() / 1000;
    char text[40];
    const int length = std::snprintf(text, sizeof text, "%04d-%02u-%02uT%02lld:%02lld:%02lld",
                                     static_cast<int>(date.year()), static_cast<unsigned>(date.month()),
                                     static_cast<unsigned>(date.day()), static_cast<long long>(s / 3600),
                                     static_cast<long long>(s / 60 % 60), static_cast<long long>(s % 60));
    std::string iso(text, static_cast<std::size_t>(length));
    if (ms != 0) {
        std::snprintf(text, sizeof text, ".%03lld", static_cast<long long>(ms));
        iso.append(text);
    }
    iso.push_back('Z');
    return iso;
}

void appendJsonInstant(std::string& out, const std::optional<Instant>& instant)
{
    if (!instant) {
        out.append("null");
        return;
    }
    out.push_back('"');
    out.append(isoUtcText(*instant));
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
