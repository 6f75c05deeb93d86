#include "platform/file_time.h"

#include <chrono>

namespace chronell {

namespace {

constexpr std::uint64_t kTicksPerMillisecond = 10000;
constexpr std::uint64_t kMillisecondsPerDay = 86400000;

constexpr std::chrono::sys_days kDay0 = std::chrono::year{1601} / std::chrono::January / 1;

} // namespace

bool FileTimeToSystemTime(const FileTime& fileTime, SystemTime& systemTime)
{
    const std::uint64_t ticks =
        (static_cast<std::uint64_t>(fileTime.dwHighDateTime) << 32) | fileTime.dwLowDateTime;
    if (ticks >= 0x8000000000000000ull) return false;  // outside the platform's range

    const std::uint64_t milliseconds = ticks / kTicksPerMillisecond;  // below a ms dropped
    const std::uint64_t days = milliseconds / kMillisecondsPerDay;
    const std::uint64_t msOfDay = milliseconds % kMillisecondsPerDay;

    const std::chrono::sys_days day = kDay0 + std::chrono::days{static_cast<std::int64_t>(days)};
    const std::chrono::year_month_day date{day};
    systemTime.wYear = static_cast<std::uint16_t>(static_cast<int>(date.year()));  // at most 30828
    systemTime.wMonth = static_cast<std::uint16_t>(static_cast<unsigned>(date.month()));
    systemTime.wDay = static_cast<std::uint16_t>(static_cast<unsigned>(date.day()));
    systemTime.wDayOfWeek = static_cast<std::uint16_t>(std::chrono::weekday{day}.c_encoding());
    systemTime.wHour = static_cast<std::uint16_t>(msOfDay / 3600000);
    systemTime.wMinute = static_cast<std::uint16_t>(msOfDay / 60000 % 60);
    systemTime.wSecond = static_cast<std::uint16_t>(msOfDay / 1000 % 60);
    systemTime.wMilliseconds = static_cast<std::uint16_t>(msOfDay % 1000);
    return true;
}

} // namespace chronell
