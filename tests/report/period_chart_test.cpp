#include "report/period_chart.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/paths.h"
#include "report/json_text.h"
#include "support/time_zone.h"

namespace chronell::report {
namespace {

Instant utc(int y, unsigned m, unsigned d, int h = 0)
{
    using namespace std::chrono;
    return Instant(sys_days(year(y) / month(m) / day(d)) + hours(h));
}

JobRecord job(Instant start, int hours, const char* runner)
{
    JobRecord record;
    record.name = "job";
    record.state = 2;
    record.startUtc = start;
    record.endUtc = start + std::chrono::hours(hours);
    record.runnerName = runner;
    return record;
}

// "label jobs minutes-per-runner..." per column.
std::vector<std::string> described(const PeriodChart& chart)
{
    std::vector<std::string> texts;
    for (const PeriodColumn& column : chart.columns) {
        std::string text = column.label + " " + std::to_string(column.jobs);
        for (const std::uint64_t ms : column.busyMs) text += " " + std::to_string(ms / 60'000);
        texts.push_back(text);
    }
    return texts;
}

TEST(PeriodChart, EveryPeriodBetweenTheEndsHasAColumnAndEachRunnerItsPlace)
{
    if (kWindowsHost) GTEST_SKIP() << "TZ does not set the Windows time zone";
    const test::ScopedTimeZone zone("UTC");
    // Across a year's end: a quiet day between, a night's job split at midnight.
    const std::vector<JobRecord> records{
        job(utc(2025, 12, 30, 10), 2, "studio"),
        job(utc(2026, 1, 1, 22), 4, "attic"),
    };
    const auto hours = hoursByPeriod(records, Period::Day);
    const PeriodChart all = periodChart(hours, Period::Day);
    EXPECT_EQ(all.runners, (std::vector<std::string>{"attic", "studio"}));
    EXPECT_EQ(described(all), (std::vector<std::string>{"2025-12-30 1 0 120", "2025-12-31 0 0 0",
                                                        "2026-01-01 1 120 0", "2026-01-02 0 120 0"}));
    EXPECT_EQ(all.mostBusyMs, 120u * 60'000);

    // A recent range runs to today: the days after the last job are there, empty.
    const PeriodChart recent = periodChart(hours, Period::Day, utc(2025, 12, 29), utc(2026, 1, 3, 12));
    EXPECT_EQ(recent.columns.size(), 6u);
    EXPECT_EQ(recent.columns.front().label, "2025-12-29");
    EXPECT_EQ(recent.columns.back().label, "2026-01-03");

    EXPECT_EQ(described(periodChart(hoursByPeriod(records, Period::Week), Period::Week)),
              (std::vector<std::string>{"2026-W01 2 240 120"}));
    EXPECT_EQ(described(periodChart(hoursByPeriod(records, Period::Month), Period::Month)),
              (std::vector<std::string>{"2025-12 1 0 120", "2026-01 1 240 0"}));
}

TEST(PeriodChart, NoHoursGiveNoColumnsAndAFarStampNoMillionsOfThem)
{
    EXPECT_TRUE(periodChart({}, Period::Day).columns.empty());
    const std::vector<JobRecord> records{job(utc(2026, 1, 1), 1, "a"), job(utc(9000, 1, 1), 1, "a")};
    const PeriodChart chart = periodChart(hoursByPeriod(records, Period::Day), Period::Day);
    EXPECT_EQ(described(chart), (std::vector<std::string>{"2026-01-01 1 60", "9000-01-01 1 60"}));
}

TEST(PeriodChart, RecentSpansBeginAtLocalMidnights)
{
    if (kWindowsHost) GTEST_SKIP() << "TZ does not set the Windows time zone";
    const test::ScopedTimeZone zone("Europe/Berlin");
    const Instant now = utc(2026, 1, 3, 23);  // 00:00 on the 4th in Berlin
    struct Case {
        RecentSpan span;
        const char* start;
    };
    for (const Case& c : {Case{RecentSpan::Days7, "2025-12-28T23:00:00Z"}, Case{RecentSpan::Days30, "2025-12-05T23:00:00Z"},
                          Case{RecentSpan::Months12, "2025-01-31T23:00:00Z"}}) {
        const std::optional<Instant> start = recentSpanStart(c.span, now);
        ASSERT_TRUE(start);
        EXPECT_EQ(isoUtcText(*start), c.start);
    }
    EXPECT_FALSE(recentSpanStart(RecentSpan::All, now));
}

} // namespace
} // namespace chronell::report
