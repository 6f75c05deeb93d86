#pragma once
// The job-list file format: cutting bytes into lines, the marker tests and
// the values taken from their fixed 1-based columns.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace chronell {

inline constexpr std::string_view kJobCountMarker = "// $numjobs";
inline constexpr std::string_view kJobMarker = "// $job";
inline constexpr std::string_view kInputMarker = "// $input";
inline constexpr std::string_view kOutputMarker = "// $output";
inline constexpr std::string_view kStateMarker = "// $state";
inline constexpr std::string_view kStartTimeMarker = "// $start_time";
inline constexpr std::string_view kEndTimeMarker = "// $end_time";

// Start columns of the text values and of the time-stamp words.
inline constexpr std::size_t kJobNameColumn = 10;
inline constexpr std::size_t kInputColumn = 12;
inline constexpr std::size_t kOutputColumn = 13;
inline constexpr std::size_t kStartHighColumn = 16;
inline constexpr std::size_t kStartLowColumn = 25;
inline constexpr std::size_t kEndHighColumn = 14;
inline constexpr std::size_t kEndLowColumn = 23;

// A job-list file's text, cut into lines as they are needed: a line ends at
// CR, LF or NUL; one CR and then one LF are skipped behind it; a NUL ends the
// text. Markers never span a line end, so a marker is searched for in the
// text itself and its line found around it.
class JobListText {
public:
    // A line by byte offsets: [begin, end), and where the line after it starts.
    struct Line {
        std::size_t begin = 0;
        std::size_t end = 0;
        std::size_t next = 0;
    };

    explicit JobListText(std::string_view bytes);

    bool empty() const { return text_.empty(); }
    std::size_t lineCount() const;
    // min(lineCount(), limit), cheap when the text has `limit` line feeds.
    std::size_t lineCountUpTo(std::size_t limit) const;
    Line first() const { return lineFrom(0); }
    bool hasLineAfter(const Line& line) const { return line.next < text_.size(); }
    Line lineAfter(const Line& line) const { return lineFrom(line.next); }
    std::string_view view(const Line& line) const { return text_.substr(line.begin, line.end - line.begin); }
    // The line's number, from 1, as an editor counts it (CR LF, CR, LF).
    std::size_t lineNumber(const Line& line) const;

    // The first line after `line` that contains `marker`, if there is one.
    std::optional<Line> findAfter(const Line& line, std::string_view marker) const;

private:
    Line lineFrom(std::size_t begin) const;
    Line lineAround(std::size_t position) const;

    std::string_view text_;
};

bool startsWithMarker(std::string_view line, std::string_view marker);

// Bytes from `column` up to the first double quote at or after it; empty
// when there is no such quote or the line ends before the column.
std::string_view takeTextValue(std::string_view line, std::size_t column);

// The job count from column 12 to the end of the line (raising form).
std::int32_t takeJobCount(std::string_view line);

// The state from the one character of column 11 (raising form).
std::int32_t takeState(std::string_view line);

struct TimeStampWords {
    std::string_view high;
    std::string_view low;
};

// The 8-character words at the two columns, shorter where the line ends.
TimeStampWords takeTimeStampWords(std::string_view line, std::size_t highColumn,
                                  std::size_t lowColumn);

} // namespace chronell
