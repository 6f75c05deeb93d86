#include "platform/local_time.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <ctime>

#include "platform/paths.h"  // kWindowsHost
#include "support/time_zone.h"

namespace chronell {
namespace {

constexpr std::int64_t kTicksPerSecond = 10'000'000;
constexpr std::int64_t kUnixEpochSeconds = 11'644'473'600;

FileTime fileTimeOfUnix(std::int64_t seconds)
{
    const auto ticks = static_cast<std::uint64_t>((seconds + kUnixEpochSeconds) * kTicksPerSecond);
    return FileTime{static_cast<std::uint32_t>(ticks), static_cast<std::uint32_t>(ticks >> 32)};
}

std::int64_t unixOf(const FileTime& time)
{
    const auto ticks = (static_cast<std::uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
    return static_cast<std::int64_t>(ticks) / kTicksPerSecond - kUnixEpochSeconds;
}

// Central Europe in 2024: summer time from 31 March 01:00 UTC to 27 October 01:00 UTC.
constexpr const char* kCentralEurope = "CET-1CEST,M3.5.0,M10.5.0/3";
constexpr std::int64_t kSummerStarts = 1'711'846'800;  // 2024-03-31 01:00:00 UTC
constexpr std::int64_t kSummerEnds = 1'729'990'800;    // 2024-10-27 01:00:00 UTC

// Asked out of order, on both sides of each change and in the blocks around
// it, so that an offset kept from an earlier question would show.
TEST(LocalTime, OffsetsAroundTheChangesFollowTheZoneInAnyOrder)
{
    if (kWindowsHost) GTEST_SKIP() << "TZ does not reach the system's time zone on Windows";
    const test::ScopedTimeZone zone(kCentralEurope);
    const struct {
        std::int64_t utc;
        std::int64_t offset;
    } cases[] = {
        {kSummerStarts - 1, 3600},        {kSummerStarts, 7200},          {kSummerStarts - 2 * 3600, 3600},
        {kSummerStarts + 5 * 3600, 7200}, {kSummerStarts - 1, 3600},      {kSummerEnds - 1, 7200},
        {kSummerEnds, 3600},              {kSummerEnds + 3 * 3600, 3600}, {kSummerEnds - 4 * 3600, 7200},
        {kSummerEnds - 1, 7200},          {kSummerStarts + 1, 7200},
    };
    for (const auto& c : cases) {
        const auto local = utcToLocalFileTime(fileTimeOfUnix(c.utc));
        ASSERT_TRUE(local.has_value());
        EXPECT_EQ(unixOf(*local) - c.utc, c.offset) << "UTC " << c.utc;
    }
}

// Every quarter hour of two days around each change, compared with the C
// library's own answer.
TEST(LocalTime, AgreesWithTheSystemEveryQuarterHourAroundTheChanges)
{
    if (kWindowsHost) GTEST_SKIP() << "TZ does not reach the system's time zone on Windows";
#ifndef _WIN32
    for (const char* name : {kCentralEurope, "EST5EDT,M3.2.0,M11.1.0", "<+0530>-5:30", "UTC0"}) {
        const test::ScopedTimeZone zone(name);
        for (const std::int64_t change : {kSummerStarts, kSummerEnds}) {
            for (std::int64_t utc = change - 86'400; utc <= change + 86'400; utc += 900) {
                const std::time_t t = static_cast<std::time_t>(utc);
                std::tm expected{};
                ASSERT_NE(localtime_r(&t, &expected), nullptr);
                const auto local = utcToLocalFileTime(fileTimeOfUnix(utc));
                ASSERT_TRUE(local.has_value());
                EXPECT_EQ(unixOf(*local) - utc, expected.tm_gmtoff) << name << " at UTC " << utc;
                const auto back = localToUtcFileTime(*local);
                ASSERT_TRUE(back.has_value());
                // The repeated hour of the autumn change may read either way.
                if (expected.tm_isdst == 0 || utc < change) {
                    EXPECT_LE(std::abs(unixOf(*back) - utc), 3600) << name;
                }
            }
        }
    }
#endif
}

TEST(LocalTime, AChangedZoneIsFollowedAtOnce)
{
    if (kWindowsHost) GTEST_SKIP() << "TZ does not reach the system's time zone on Windows";
    const FileTime noon = fileTimeOfUnix(kSummerStarts + 10 * 3600);
    std::int64_t offsets[3] = {};
    int i = 0;
    for (const char* name : {kCentralEurope, "UTC0", "<-03>3"}) {
        const test::ScopedTimeZone zone(name);
        offsets[i++] = unixOf(*utcToLocalFileTime(noon)) - unixOf(noon);
    }
    EXPECT_EQ(offsets[0], 7200);
    EXPECT_EQ(offsets[1], 0);
    EXPECT_EQ(offsets[2], -3 * 3600);
}

} // namespace
} // namespace chronell
