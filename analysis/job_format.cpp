#include "analysis/job_format.h"

#include "analysis/integer_text.h"

namespace chronell {

namespace {

// The bytes of `length` columns from 1-based `column`, fewer where the line ends.
std::string_view columns(std::string_view line, std::size_t column, std::size_t length)
{
    if (column - 1 >= line.size()) return {};
    return line.substr(column - 1, length);
}

bool isLineEnd(char c)
{
    return c == '\r' || c == '\n' || c == '\0';
}

constexpr std::size_t kJobCountColumn = 12;
constexpr std::size_t kStateColumn = 11;
constexpr std::size_t kTimeStampWordLength = 8;

} // namespace

void splitLines(std::string_view text, std::vector<std::string_view>& lines)
{
    lines.clear();
    const char* p = text.data();
    const char* const end = p + text.size();
    while (p < end && *p != '\0') {
        const char* lineEnd = p;
        while (lineEnd < end && !isLineEnd(*lineEnd)) ++lineEnd;
        lines.emplace_back(p, static_cast<std::size_t>(lineEnd - p));
        p = lineEnd;
        if (p < end && *p == '\r') ++p;
        if (p < end && *p == '\n') ++p;
    }
}

std::vector<std::string_view> splitLines(std::string_view text)
{
    std::vector<std::string_view> lines;
    splitLines(text, lines);
    return lines;
}

bool startsWithMarker(std::string_view line, std::string_view marker)
{
    return line.starts_with(marker);
}

bool containsMarker(std::string_view line, std::string_view marker)
{
    return line.find(marker) != std::string_view::npos;
}

std::string_view takeTextValue(std::string_view line, std::size_t column)
{
    const std::string_view rest = columns(line, column, std::string_view::npos);
    const auto quote = rest.find('"');
    if (quote == std::string_view::npos) return {};
    return rest.substr(0, quote);
}

std::int32_t takeJobCount(std::string_view line)
{
    return StrToInt(columns(line, kJobCountColumn, std::string_view::npos));
}

std::int32_t takeState(std::string_view line)
{
    return StrToInt(columns(line, kStateColumn, 1));
}

TimeStampWords takeTimeStampWords(std::string_view line, std::size_t highColumn,
                                  std::size_t lowColumn)
{
    return {columns(line, highColumn, kTimeStampWordLength),
            columns(line, lowColumn, kTimeStampWordLength)};
}

} // namespace chronell
