#pragma once
// Instants: milliseconds since 1970 UTC, and their file times.
#include <chrono>
#include <cstdint>

#include "platform/file_time.h"

namespace chronell {

using Instant = std::chrono::sys_time<std::chrono::milliseconds>;

inline constexpr std::int64_t kTicksPerMillisecond = 10'000;
inline constexpr std::int64_t kMillisecondsFrom1601To1970 = 11'644'473'600'000;

// The part below a millisecond is dropped.
inline Instant instantOf(const FileTime& time)
{
    const auto ticks = (static_cast<std::uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
    const auto milliseconds = static_cast<std::int64_t>(ticks / kTicksPerMillisecond);
    return Instant(std::chrono::milliseconds(milliseconds - kMillisecondsFrom1601To1970));
}

// Instants before 1601 give the file time 0.
inline FileTime fileTimeOf(Instant instant)
{
    const std::int64_t since1601 = instant.time_since_epoch().count() + kMillisecondsFrom1601To1970;
    const auto ticks = static_cast<std::uint64_t>(since1601 < 0 ? 0 : since1601) * kTicksPerMillisecond;
    return {static_cast<std::uint32_t>(ticks), static_cast<std::uint32_t>(ticks >> 32)};
}

} // namespace chronell
