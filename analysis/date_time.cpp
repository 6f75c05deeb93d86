#include "analysis/date_time.h"

#include <cmath>
#include <string>

#include "analysis/chronell_error.h"
#include "analysis/duration.h"
#include "analysis/integer_text.h"

namespace chronell {

namespace {

constexpr std::int64_t kMillisecondsPerDay = 86400000;

// Days from 1 March of year 0 to 30 December 1899, the day of value 0.
constexpr std::int64_t kDaysFromMarch0To1899 = 693899;

// Days from 30 December 1899 to the given proleptic Gregorian date.
std::int64_t daysFrom1899(std::int64_t year, std::int64_t month, std::int64_t day)
{
    year -= month <= 2 ? 1 : 0;
    const std::int64_t era = (year >= 0 ? year : year - 399) / 400;
    const std::int64_t yearOfEra = year - era * 400;
    const std::int64_t dayOfYear = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
    const std::int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - kDaysFromMarch0To1899;
}

bool isLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int daysInMonth(int year, int month)
{
    static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && isLeapYear(year) ? 29 : kDays[month - 1];
}

[[noreturn]] void failDateEncode() { throw ChronellError("Invalid argument to date encode"); }

} // namespace

TDateTime FileTime2DateTime(const FileTime& fileTime)
{
    SystemTime st;
    // First words 80000000 and above have no calendar time: refused like a
    // year beyond 9999.
    if (!FileTimeToSystemTime(fileTime, st)) failDateEncode();
    if (st.wYear < 1 || st.wYear > 9999 || st.wMonth < 1 || st.wMonth > 12 || st.wDay < 1 ||
        st.wDay > daysInMonth(st.wYear, st.wMonth))
        failDateEncode();

    const auto date = static_cast<double>(daysFrom1899(st.wYear, st.wMonth, st.wDay));
    const std::int64_t msOfDay = st.wHour * 3600000 + st.wMinute * 60000 + st.wSecond * 1000 + st.wMilliseconds;
    const double time = static_cast<double>(msOfDay) / static_cast<double>(kMillisecondsPerDay);
    // Before 30 December 1899 the fraction still counts from midnight.
    return date >= 0 ? date + time : date - time;
}

TDateTime TimeStamp2DateTime(std::string_view highWord, std::string_view lowWord)
{
    // A word that does not read counts as 0; the other half still counts.
    // The quiet integer rule on "$" and the word reads exactly the words of
    // hexadecimal digits only.
    const auto readHalf = [](std::string_view word) { return tryHexDigits(word).value_or(0); };
    FileTime fileTime;
    fileTime.dwHighDateTime = readHalf(highWord);
    fileTime.dwLowDateTime = readHalf(lowWord);
    return FileTime2DateTime(fileTime);
}

DecodedDateTime decodeDateTime(TDateTime value)
{
    // The rounded millisecond count of |value|: whole days and the time of
    // day; a negative value counts its days back from 30 December 1899.
    const std::uint64_t total = durationMilliseconds(value);
    const auto msOfDay = static_cast<std::int64_t>(total % kMillisecondsPerDay);
    const auto wholeDays = static_cast<std::int64_t>(total / kMillisecondsPerDay);
    const std::int64_t days = value < 0 ? -wholeDays : wholeDays;

    // Civil date of the day count, in 400-year eras from 1 March of year 0.
    const std::int64_t z = days + kDaysFromMarch0To1899;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const std::int64_t dayOfEra = z - era * 146097;
    const std::int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const std::int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const std::int64_t monthFromMarch = (5 * dayOfYear + 2) / 153;

    DecodedDateTime decoded;
    decoded.day = static_cast<int>(dayOfYear - (153 * monthFromMarch + 2) / 5 + 1);
    decoded.month = static_cast<int>(monthFromMarch < 10 ? monthFromMarch + 3 : monthFromMarch - 9);
    decoded.year = static_cast<int>(yearOfEra + era * 400 + (decoded.month <= 2 ? 1 : 0));
    // 30 December 1899 was a Saturday.
    decoded.dayOfWeek = static_cast<int>(((days + 6) % 7 + 7) % 7);
    decoded.hour = static_cast<int>(msOfDay / 3600000);
    decoded.minute = static_cast<int>(msOfDay / 60000 % 60);
    decoded.second = static_cast<int>(msOfDay / 1000 % 60);
    decoded.millisecond = static_cast<int>(msOfDay % 1000);
    return decoded;
}

} // namespace chronell
