// Duration fields of a difference in days, their seconds value and texts.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "analysis/duration.h"
#include "support/sample_settings.h"

namespace chronell {
namespace {

constexpr double kMs = 1.0 / 86400000;  // one millisecond in days

TEST(DurationMilliseconds, RoundsTheExactProductHalfToEven)
{
    const std::pair<double, std::uint64_t> cases[] = {
        {1.0 / 2048, 42188},   // exactly 42187.5: up to the even count
        {3.0 / 2048, 126562},  // exactly 126562.5: down to the even count
        {-1.0 / 2048, 42188},
        // Just past or short of a half, where the product rounded to a double
        // first would land on the half and round the other way.
        {0.0004983159722222223, 43055},
        {0.0004973321759259259, 42969},
        {39532.71709007523, 3415626756583},
        {39523.04549323495, 3414791130615},
        {std::nan(""), 0},
        {-1e300, std::numeric_limits<std::uint64_t>::max()},
    };
    for (const auto& [days, milliseconds] : cases) EXPECT_EQ(durationMilliseconds(days), milliseconds) << days;
}

TEST(DurationFields, KeepDaysInTheHours)
{
    const struct {
        double days;
        DurationFields fields;
        double seconds;
    } cases[] = {
        {3723456 * kMs, {1, 2, 3, 456}, 3723.456},
        {-3723456 * kMs, {1, 2, 3, 456}, 3723.456},
        {1.0625, {25, 30, 0, 0}, 91800},
        {1.0, {24, 0, 0, 0}, 86400},
        {100.0 / 24, {100, 0, 0, 0}, 360000},
        {86399999 * kMs, {23, 59, 59, 999}, 86399.999},
        {0.49 * kMs, {0, 0, 0, 0}, 0},
    };
    for (const auto& c : cases) {
        const DurationFields f = durationFieldsOf(c.days);
        EXPECT_EQ(std::make_tuple(f.hours, f.minutes, f.seconds, f.milliseconds),
                  std::make_tuple(c.fields.hours, c.fields.minutes, c.fields.seconds, c.fields.milliseconds))
            << c.days;
        EXPECT_EQ(secondsValue(f), c.seconds) << c.days;
    }
}

TEST(DurationFields, HoursBeyondThirtyTwoBitsStayExact)
{
    const std::pair<std::uint64_t, const char*> cases[] = {
        {15461882265661001u, "4294967296:01:01.001"},  // 2^32 hours and 61.001 s
        {std::numeric_limits<std::uint64_t>::max(), "5124095576030:25:51.615"},
    };
    for (const auto& [milliseconds, text] : cases) {
        const DurationFields fields = durationFieldsFromMilliseconds(milliseconds);
        EXPECT_EQ(formattedDurationText(fields), text);
        EXPECT_EQ(secondsValue(fields), static_cast<double>(milliseconds) / 1000.0) << text;
    }
}

TEST(ZeroPadded, FillsToTheWidthAndNeverCuts)
{
    const std::tuple<std::uint64_t, unsigned, const char*> cases[] = {
        {5, 2, "05"}, {42, 1, "42"}, {7, 1, "7"}, {99, 0, "99"}, {123, 2, "123"}, {7, 3, "007"}, {0, 3, "000"},
        {0, 0, "0"},  {4294967295u, 2, "4294967295"},
        {std::numeric_limits<std::uint64_t>::max(), 25, "0000018446744073709551615"}};
    for (const auto& [number, width, text] : cases) {
        std::string appended = "x";
        appendZeroPadded(appended, number, width);
        EXPECT_EQ(appended, std::string("x") + text);
    }
}

TEST(DurationText, FormattedOrFloatText)
{
    EXPECT_EQ(formattedDurationText({100, 0, 0, 0}), "100:00:00.000");
    EXPECT_EQ(formattedDurationText({9, 5, 7, 30}), "09:05:07.030");
    const DurationFields fields{1, 2, 3, 456};
    EXPECT_EQ(durationText(fields, 3723.456, true, test::settingsB()), "01:02:03.456");  // fixed ':' and '.'
    EXPECT_EQ(durationText(fields, 3723.456, false, test::settingsB()), "3723,456");
    EXPECT_EQ(durationText(fields, 0.1 + 0.2, false, test::settingsA()), "0.3");  // the seconds passed in
}

} // namespace
} // namespace chronell
