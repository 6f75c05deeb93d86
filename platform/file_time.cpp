#include "platform/file_time.h"

namespace chronell {

namespace {

constexpr std::uint64_t kTicksPerMillisecond = 10000;
constexpr std::uint64_t kMillisecondsPerDay = 86400000;

// Days from 1 March of year 0 to 1 January 1601 in the proleptic Gregorian
// calendar; the conversion below counts from that March so that the leap
// day is the last day of its year.
constexpr std::int64_t kDaysFromMarch0To1601 = 584694;

} // namespace

bool FileTimeToSystemTime(const FileTime& fileTime, SystemTime& systemTime)
{
    const std::uint64_t ticks =
        (static_cast<std::uint64_t>(fileTime.dwHighDateTime) << 32) | fileTime.dwLowDateTime;
    if (ticks >= 0x8000000000000000ull) return false;  // outside the platform's range

    const std::uint64_t milliseconds = ticks / kTicksPerMillisecond;  // below a ms dropped
    const std::uint64_t days = milliseconds / kMillisecondsPerDay;
    const std::uint64_t msOfDay = milliseconds % kMillisecondsPerDay;

    // Civil date of a day count from 1 March 0, in 400-year eras of 146097 days.
    const std::int64_t z = static_cast<std::int64_t>(days) + kDaysFromMarch0To1601;
    const std::int64_t era = z / 146097;
    const std::int64_t dayOfEra = z - era * 146097;
    const std::int64_t yearOfEra =
        (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const std::int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const std::int64_t monthFromMarch = (5 * dayOfYear + 2) / 153;
    const std::int64_t day = dayOfYear - (153 * monthFromMarch + 2) / 5 + 1;
    const std::int64_t month = monthFromMarch < 10 ? monthFromMarch + 3 : monthFromMarch - 9;
    const std::int64_t year = yearOfEra + era * 400 + (month <= 2 ? 1 : 0);

    systemTime.wYear = static_cast<std::uint16_t>(year);  // at most 30828
    systemTime.wMonth = static_cast<std::uint16_t>(month);
    systemTime.wDay = static_cast<std::uint16_t>(day);
    systemTime.wDayOfWeek = static_cast<std::uint16_t>((days + 1) % 7);  // 1601-01-01 was a Monday
    systemTime.wHour = static_cast<std::uint16_t>(msOfDay / 3600000);
    systemTime.wMinute = static_cast<std::uint16_t>(msOfDay / 60000 % 60);
    systemTime.wSecond = static_cast<std::uint16_t>(msOfDay / 1000 % 60);
    systemTime.wMilliseconds = static_cast<std::uint16_t>(msOfDay % 1000);
    return true;
}

} // namespace chronell
