#pragma once
// Date-time values: days since 30 December 1899 as a double, the time of day
// as the fraction (before that day: the negative day count minus the fraction).
#include <cstdint>
#include <string_view>

#include "platform/file_time.h"

namespace chronell {

using TDateTime = double;

// Throws ChronellError "Invalid argument to date encode" for a year beyond
// 9999 or a file time the platform cannot convert (first word 80000000 up).
TDateTime fileTimeToDateTime(const FileTime& fileTime);

// The file time of a time stamp's two words, each read as hexadecimal by the
// quiet integer rule ("$" put in front), 0 when it does not read.
FileTime timeStampFileTime(std::string_view highWord, std::string_view lowWord);

// fileTimeToDateTime of timeStampFileTime; high word first.
TDateTime TimeStamp2DateTime(std::string_view highWord, std::string_view lowWord);

struct DecodedDateTime {
    int year = 0;
    int month = 0;
    int day = 0;
    int dayOfWeek = 0;  // 0 = Sunday
    int hour = 0;
    int minute = 0;
    int second = 0;
    int millisecond = 0;
};

// Calendar date and time of day of a value, rounded to the millisecond.
DecodedDateTime decodeDateTime(TDateTime value);

} // namespace chronell
