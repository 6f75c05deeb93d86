#include "analysis/date_time.h"

#include <chrono>
#include <cmath>
#include <string>

#include "platform/chronell_error.h"
#include "analysis/duration.h"
#include "analysis/integer_text.h"

namespace chronell {

namespace {

constexpr std::int64_t kMillisecondsPerDay = 86400000;

using std::chrono::sys_days;
constexpr sys_days kDay0 = std::chrono::year{1899} / std::chrono::December / 30;

[[noreturn]] void failDateEncode() { throw ChronellError("Invalid argument to date encode"); }

} // namespace

TDateTime fileTimeToDateTime(const FileTime& fileTime)
{
    SystemTime st;
    // First words 80000000 and above have no calendar time: refused like a
    // year beyond 9999.
    if (!FileTimeToSystemTime(fileTime, st)) failDateEncode();
    const std::chrono::year_month_day ymd{std::chrono::year{st.wYear}, std::chrono::month{st.wMonth},
                                          std::chrono::day{st.wDay}};
    if (st.wYear < 1 || st.wYear > 9999 || !ymd.ok()) failDateEncode();

    const auto date = static_cast<double>((sys_days{ymd} - kDay0).count());
    const std::int64_t msOfDay = st.wHour * 3600000 + st.wMinute * 60000 + st.wSecond * 1000 + st.wMilliseconds;
    const double time = static_cast<double>(msOfDay) / static_cast<double>(kMillisecondsPerDay);
    // Before 30 December 1899 the fraction still counts from midnight.
    return date >= 0 ? date + time : date - time;
}

FileTime timeStampFileTime(std::string_view highWord, std::string_view lowWord)
{
    // A word that does not read counts as 0; the other half still counts.
    // The quiet integer rule on "$" and the word reads exactly the words of
    // hexadecimal digits only.
    const auto readHalf = [](std::string_view word) { return tryHexDigits(word).value_or(0); };
    FileTime fileTime;
    fileTime.dwHighDateTime = readHalf(highWord);
    fileTime.dwLowDateTime = readHalf(lowWord);
    return fileTime;
}

TDateTime TimeStamp2DateTime(std::string_view highWord, std::string_view lowWord)
{
    return fileTimeToDateTime(timeStampFileTime(highWord, lowWord));
}

DecodedDateTime decodeDateTime(TDateTime value)
{
    // The rounded millisecond count of |value|: whole days and the time of
    // day; a negative value counts its days back from 30 December 1899.
    const std::uint64_t total = durationMilliseconds(value);
    const auto msOfDay = static_cast<std::int64_t>(total % kMillisecondsPerDay);
    const auto wholeDays = static_cast<std::int64_t>(total / kMillisecondsPerDay);
    const std::int64_t days = value < 0 ? -wholeDays : wholeDays;

    const sys_days day = kDay0 + std::chrono::days{days};
    const std::chrono::year_month_day ymd{day};
    DecodedDateTime decoded;
    decoded.year = static_cast<int>(ymd.year());
    decoded.month = static_cast<int>(static_cast<unsigned>(ymd.month()));
    decoded.day = static_cast<int>(static_cast<unsigned>(ymd.day()));
    decoded.dayOfWeek = static_cast<int>(std::chrono::weekday{day}.c_encoding());
    decoded.hour = static_cast<int>(msOfDay / 3600000);
    decoded.minute = static_cast<int>(msOfDay / 60000 % 60);
    decoded.second = static_cast<int>(msOfDay / 1000 % 60);
    decoded.millisecond = static_cast<int>(msOfDay % 1000);
    return decoded;
}

} // namespace chronell
