// FILETIME to calendar time: proleptic Gregorian, no time zone, the part
// below a millisecond dropped, file times from 0x8000000000000000 refused.
#include <gtest/gtest.h>

#include <tuple>

#include "platform/file_time.h"

namespace chronell {
namespace {

constexpr std::uint64_t kDay = 864000000000ull;  // ticks

FileTime fileTimeOf(std::uint64_t ticks)
{
    return FileTime{static_cast<std::uint32_t>(ticks), static_cast<std::uint32_t>(ticks >> 32)};
}

TEST(FileTimeToSystemTime, ConvertsWithoutTimeZone)
{
    using Fields = std::tuple<int, int, int, int, int, int, int, int>;  // y, mo, d, weekday (0 Sunday), h, mi, s, ms
    const std::pair<std::uint64_t, Fields> cases[] = {
        {0, {1601, 1, 1, 1, 0, 0, 0, 0}},
        {9999, {1601, 1, 1, 1, 0, 0, 0, 0}},  // below a millisecond: dropped
        {0x01C8868354B45000ull, {2008, 3, 15, 6, 10, 0, 0, 0}},
        {0x24C85A5ED1C03FFFull, {9999, 12, 31, 5, 23, 59, 59, 999}},
        {0x24C85A5ED1C04000ull, {10000, 1, 1, 6, 0, 0, 0, 0}},  // given, for the caller to refuse
        {0x7FFFFFFFFFFFFFFFull, {30828, 9, 14, 4, 2, 48, 5, 477}},
        {1154 * kDay, {1604, 2, 29, 0, 0, 0, 0, 0}},
        {36583 * kDay, {1701, 3, 1, 2, 0, 0, 0, 0}},  // 1700 had no 29 February
        {146097 * kDay, {2001, 1, 1, 1, 0, 0, 0, 0}},  // a whole 400-year cycle
    };
    for (const auto& [ticks, fields] : cases) {
        SystemTime t;
        ASSERT_TRUE(FileTimeToSystemTime(fileTimeOf(ticks), t)) << ticks;
        EXPECT_EQ(Fields(t.wYear, t.wMonth, t.wDay, t.wDayOfWeek, t.wHour, t.wMinute, t.wSecond, t.wMilliseconds),
                  fields)
            << ticks;
    }
}

TEST(FileTimeToSystemTime, RefusesFileTimesFromTheTopBit)
{
    SystemTime t;
    EXPECT_FALSE(FileTimeToSystemTime(fileTimeOf(0x8000000000000000ull), t));
    EXPECT_FALSE(FileTimeToSystemTime(fileTimeOf(0xFFFFFFFFFFFFFFFFull), t));
}

} // namespace
} // namespace chronell
