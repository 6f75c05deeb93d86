#include "analysis/job_format.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "analysis/integer_text.h"

namespace chronell {

namespace {

// The bytes of `length` columns from 1-based `column`, fewer where the line ends.
std::string_view columns(std::string_view line, std::size_t column, std::size_t length)
{
    if (column - 1 >= line.size()) return {};
    return line.substr(column - 1, length);
}

bool isLineBreak(char c)
{
    return c == '\r' || c == '\n';
}

// The position of the first CR or LF at or after `from`, or the text's size.
// memchr looks for each of the two a window at a time, so that a text
// without LFs (or CRs) is not searched to its end for every line.
std::size_t lineBreakFrom(std::string_view text, std::size_t from)
{
    constexpr std::size_t kWindow = 256;
    for (std::size_t start = from; start < text.size(); start += kWindow) {
        const char* window = text.data() + start;
        const std::size_t length = std::min(kWindow, text.size() - start);
        const auto* lf = static_cast<const char*>(std::memchr(window, '\n', length));
        const std::size_t beforeLf = lf ? static_cast<std::size_t>(lf - window) : length;
        if (const auto* cr = static_cast<const char*>(std::memchr(window, '\r', beforeLf)))
            return start + static_cast<std::size_t>(cr - window);
        if (lf) return start + beforeLf;
    }
    return text.size();
}

constexpr std::size_t kJobCountColumn = 12;
constexpr std::size_t kStateColumn = 11;
constexpr std::size_t kTimeStampWordLength = 8;

// Markers begin with "// $", and "$" is rare elsewhere in a job-list file,
// so the search steps from one "$" to the next.
std::size_t findMarker(std::string_view text, std::string_view marker, std::size_t from)
{
    constexpr std::size_t kAnchor = 3;
    if (marker.size() <= kAnchor + 1 || marker[kAnchor] != '$') return text.find(marker, from);
    for (std::size_t anchor = from + kAnchor; anchor < text.size(); ++anchor) {
        anchor = text.find('$', anchor);
        if (anchor == std::string_view::npos) break;
        // The byte after "$" rules out most other markers before a comparison.
        if (anchor + 1 < text.size() && text[anchor + 1] == marker[kAnchor + 1] &&
            text.compare(anchor - kAnchor, marker.size(), marker) == 0)
            return anchor - kAnchor;
    }
    return std::string_view::npos;
}

} // namespace

JobListText::JobListText(std::string_view bytes) : text_(bytes.substr(0, bytes.find('\0'))) {}

namespace {

// Each CR and each LF ends a line, except an LF right behind a CR.
std::size_t lineBreaks(std::string_view text)
{
    std::size_t breaks = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n') ++breaks;
        if (text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n')) ++breaks;
    }
    return breaks;
}

} // namespace

std::size_t JobListText::lineCount() const
{
    // A last line without a line end counts too.
    const bool unterminated = !text_.empty() && !isLineBreak(text_.back());
    return lineBreaks(text_) + (unterminated ? 1 : 0);
}

std::size_t JobListText::lineNumber(const Line& line) const
{
    // A line begins behind a whole line end, never between its CR and LF.
    return lineBreaks(text_.substr(0, line.begin)) + 1;
}

std::size_t JobListText::lineCountUpTo(std::size_t limit) const
{
    // Every LF ends a line of its own, so `limit` of them are enough.
    std::size_t lineFeeds = 0;
    for (auto position = text_.find('\n'); position != std::string_view::npos && lineFeeds < limit;
         position = text_.find('\n', position + 1))
        ++lineFeeds;
    return lineFeeds >= limit ? limit : std::min(lineCount(), limit);
}

JobListText::Line JobListText::lineFrom(std::size_t begin) const
{
    Line line;
    line.begin = begin;
    line.end = lineBreakFrom(text_, begin);
    line.next = line.end;
    if (line.next < text_.size() && text_[line.next] == '\r') ++line.next;
    if (line.next < text_.size() && text_[line.next] == '\n') ++line.next;
    return line;
}

JobListText::Line JobListText::lineAround(std::size_t position) const
{
    // Every CR and LF belongs to a line end, so a line starts right behind the last one.
    std::size_t begin = position;
    while (begin > 0 && !isLineBreak(text_[begin - 1])) --begin;
    return lineFrom(begin);
}

std::optional<JobListText::Line> JobListText::findAfter(const Line& line, std::string_view marker) const
{
    if (!hasLineAfter(line)) return std::nullopt;
    const auto position = findMarker(text_, marker, line.next);
    if (position == std::string_view::npos) return std::nullopt;
    return lineAround(position);
}

bool startsWithMarker(std::string_view line, std::string_view marker)
{
    return line.starts_with(marker);
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
