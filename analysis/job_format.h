#pragma once
// The job-list file format: cutting bytes into lines, the marker tests and
// the values taken from their fixed 1-based columns.
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

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

// Cuts text into lines: a line ends at CR, LF or NUL; one CR and then one LF
// are skipped behind it; a NUL ends the text. The views point into `text`.
void splitLines(std::string_view text, std::vector<std::string_view>& lines);
std::vector<std::string_view> splitLines(std::string_view text);

bool startsWithMarker(std::string_view line, std::string_view marker);
bool containsMarker(std::string_view line, std::string_view marker);

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
