#include "platform/local_time.h"

#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <ctime>

#ifdef _WIN32
#include <windows.h>
#endif

namespace chronell {

#ifdef _WIN32

// A null zone is the system's zone in force, with its summer-time rules
// (the Ex functions, which take a zone, are missing from Wine).

void timeZoneChanged() {}

std::optional<FileTime> utcToLocalFileTime(const FileTime& utc)
{
    FILETIME in{utc.dwLowDateTime, utc.dwHighDateTime};
    SYSTEMTIME utcTime, localTime;
    if (!::FileTimeToSystemTime(&in, &utcTime)) return std::nullopt;
    if (!SystemTimeToTzSpecificLocalTime(nullptr, &utcTime, &localTime)) return std::nullopt;
    FILETIME out;
    if (!SystemTimeToFileTime(&localTime, &out)) return std::nullopt;
    return FileTime{out.dwLowDateTime, out.dwHighDateTime};
}

std::optional<FileTime> localToUtcFileTime(const FileTime& local)
{
    FILETIME in{local.dwLowDateTime, local.dwHighDateTime};
    SYSTEMTIME localTime, utcTime;
    if (!::FileTimeToSystemTime(&in, &localTime)) return std::nullopt;
    if (!TzSpecificLocalTimeToSystemTime(nullptr, &localTime, &utcTime)) return std::nullopt;
    FILETIME out;
    if (!SystemTimeToFileTime(&utcTime, &out)) return std::nullopt;
    return FileTime{out.dwLowDateTime, out.dwHighDateTime};
}

#else

namespace {

constexpr std::int64_t kTicksPerSecond = 10'000'000;
constexpr std::int64_t kUnixEpochSeconds = 11'644'473'600;  // 1601-01-01 to 1970-01-01

std::int64_t ticksOf(const FileTime& time)
{
    return static_cast<std::int64_t>((static_cast<std::uint64_t>(time.dwHighDateTime) << 32) |
                                     time.dwLowDateTime);
}

std::optional<FileTime> fileTimeOf(std::int64_t ticks)
{
    if (ticks < 0) return std::nullopt;
    FileTime time;
    time.dwHighDateTime = static_cast<std::uint32_t>(static_cast<std::uint64_t>(ticks) >> 32);
    time.dwLowDateTime = static_cast<std::uint32_t>(static_cast<std::uint64_t>(ticks));
    return time;
}

// Seconds east of UTC in force at the UTC instant `unixSeconds`.
std::optional<long> systemOffsetAt(std::time_t unixSeconds)
{
    std::tm local{};
    if (!localtime_r(&unixSeconds, &local)) return std::nullopt;
    return local.tm_gmtoff;
}

std::atomic<unsigned> zoneGeneration{0};

// A zone's offset changes at most once in any six hours (its changes are
// weeks apart): when both ends of a six-hour block have the same offset, the
// whole block has it. A queue's stamps crowd into a few evenings, so most
// stamps are read from the last block asked for instead of the zone's rules.
// The block is forgotten when the zone is changed; a block that holds a
// change is asked of the system stamp by stamp.
class OffsetCache {
public:
    std::optional<long> offsetAt(std::time_t unixSeconds)
    {
        const unsigned generation = zoneGeneration.load(std::memory_order_relaxed);
        if (generation != generation_) {
            generation_ = generation;
            known_ = false;
        }
        const std::int64_t seconds = unixSeconds;
        const std::int64_t block = seconds / kBlockSeconds - (seconds % kBlockSeconds < 0 ? 1 : 0);
        if (known_ && block == block_) return offset_;
        const auto first = systemOffsetAt(static_cast<std::time_t>(block * kBlockSeconds));
        const auto last = systemOffsetAt(static_cast<std::time_t>(block * kBlockSeconds + kBlockSeconds - 1));
        if (!first || !last || *first != *last) return systemOffsetAt(unixSeconds);
        known_ = true;
        block_ = block;
        offset_ = *first;
        return offset_;
    }

private:
    static constexpr std::int64_t kBlockSeconds = 6 * 3600;

    unsigned generation_ = 0;
    bool known_ = false;
    std::int64_t block_ = 0;
    long offset_ = 0;
};

std::optional<long> offsetAt(std::time_t unixSeconds)
{
    thread_local OffsetCache cache;
    return cache.offsetAt(unixSeconds);
}

} // namespace

void timeZoneChanged()
{
    zoneGeneration.fetch_add(1, std::memory_order_relaxed);
}

std::optional<FileTime> utcToLocalFileTime(const FileTime& utc)
{
    const std::int64_t ticks = ticksOf(utc);
    const auto offset = offsetAt(static_cast<std::time_t>(ticks / kTicksPerSecond - kUnixEpochSeconds));
    if (!offset) return std::nullopt;
    return fileTimeOf(ticks + *offset * kTicksPerSecond);
}

std::optional<FileTime> localToUtcFileTime(const FileTime& local)
{
    // The offset in force at the local reading taken as UTC, then once more
    // at the instant that gives: right everywhere but inside a changed hour.
    const std::int64_t ticks = ticksOf(local);
    const std::int64_t localSeconds = ticks / kTicksPerSecond - kUnixEpochSeconds;
    auto offset = offsetAt(static_cast<std::time_t>(localSeconds));
    if (!offset) return std::nullopt;
    offset = offsetAt(static_cast<std::time_t>(localSeconds - *offset));
    if (!offset) return std::nullopt;
    return fileTimeOf(ticks - *offset * kTicksPerSecond);
}

#endif

} // namespace chronell
