#pragma once
// Windows FILETIME and SYSTEMTIME, and the conversion between them
// (100-nanosecond intervals since 1 January 1601, no time zone applied).
#include <cstdint>

namespace chronell {

struct FileTime {
    std::uint32_t dwLowDateTime = 0;
    std::uint32_t dwHighDateTime = 0;
};

struct SystemTime {
    std::uint16_t wYear = 0;
    std::uint16_t wMonth = 0;
    std::uint16_t wDayOfWeek = 0;
    std::uint16_t wDay = 0;
    std::uint16_t wHour = 0;
    std::uint16_t wMinute = 0;
    std::uint16_t wSecond = 0;
    std::uint16_t wMilliseconds = 0;
};

// Proleptic Gregorian calendar time of the file time, the part below a
// millisecond dropped. Fails (false) for file times of 0x8000000000000000 and
// above, like the platform function; years beyond 9999 are still given.
bool FileTimeToSystemTime(const FileTime& fileTime, SystemTime& systemTime);

} // namespace chronell
