#include "report/period_hours.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/paths.h"
#include "report/json_text.h"
#include "support/time_zone.h"

namespace chronell::report {
namespace {

// An instant from its ISO 8601 UTC text's parts.
Instant utc(int y, unsigned m, unsigned d, int h, int min = 0)
{
    using namespace std::chrono;
    return Instant(sys_days(year(y) / month(m) / day(d)) + hours(h) + minutes(min));
}

JobRecord job(Instant start, Instant end, const char* runner = nullptr)
{
    JobRecord record;
    record.name = "job";
    record.state = 2;
    record.startUtc = start;
    record.endUtc = end;
    if (runner) record.runnerName = runner;
    return record;
}

// "period start end runner jobs hours" per entry.
std::vector<std::string> described(const std::vector<PeriodHours>& hours)
{
    std::vector<std::string> texts;
    for (const PeriodHours& h : hours)
        texts.push_back(h.period + " " + isoUtcText(h.periodStart) + " " + isoUtcText(h.periodEnd) + " " + h.runner
                        + " " + std::to_string(h.jobs) + " " + std::to_string(h.busyMs / 60'000) + "min");
    return texts;
}

TEST(PeriodHours, DaysAcrossTheSpringAndAutumnClockChanges)
{
    if (kWindowsHost) GTEST_SKIP() << "TZ does not set the Windows time zone";
    const test::ScopedTimeZone zone("Europe/Berlin");
    // 2026-03-29 has 23 hours in Berlin, 2026-10-25 has 25. Each job runs
    // from 22:00 local on the day before to 02:00 local on the day after.
    const std::vector<JobRecord> records{
        job(utc(2026, 3, 28, 21), utc(2026, 3, 30, 0), "a"),  // 22:00 CET to 02:00 CEST next-next day
        job(utc(2026, 10, 24, 20), utc(2026, 10, 26, 1), "a"),  // 22:00 CEST to 02:00 CET
    };
    EXPECT_EQ(described(hoursByPeriod(records, Period::Day)),
              (std::vector<std::string>{
                  "2026-03-28 2026-03-27T23:00:00Z 2026-03-28T23:00:00Z a 1 120min",
                  "2026-03-29 2026-03-28T23:00:00Z 2026-03-29T22:00:00Z a 0 1380min",
                  "2026-03-30 2026-03-29T22:00:00Z 2026-03-30T22:00:00Z a 0 120min",
                  "2026-10-24 2026-10-23T22:00:00Z 2026-10-24T22:00:00Z a 1 120min",
                  "2026-10-25 2026-10-24T22:00:00Z 2026-10-25T23:00:00Z a 0 1500min",
                  "2026-10-26 2026-10-25T23:00:00Z 2026-10-26T23:00:00Z a 0 120min",
              }));
}

TEST(PeriodHours, WeeksAndMonthsAcrossAYearsEnd)
{
    if (kWindowsHost) GTEST_SKIP() << "TZ does not set the Windows time zone";
    const test::ScopedTimeZone zone("America/New_York");
    // From 2026-12-31 23:00 to 2027-01-01 01:00 local (UTC-5): ISO week
    // 2026-W53 (Monday 2026-12-28) holds both days.
    const std::vector<JobRecord> records{job(utc(2027, 1, 1, 4), utc(2027, 1, 1, 6), "b"),
                                         job(utc(2027, 1, 5, 12), utc(2027, 1, 5, 13), "b")};
    EXPECT_EQ(described(hoursByPeriod(records, Period::Week)),
              (std::vector<std::string>{"2026-W53 2026-12-28T05:00:00Z 2027-01-04T05:00:00Z b 1 120min",
                                        "2027-W01 2027-01-04T05:00:00Z 2027-01-11T05:00:00Z b 1 60min"}));
    EXPECT_EQ(described(hoursByPeriod(records, Period::Month)),
              (std::vector<std::string>{"2026-12 2026-12-01T05:00:00Z 2027-01-01T05:00:00Z b 1 60min",
                                        "2027-01 2027-01-01T05:00:00Z 2027-02-01T05:00:00Z b 1 120min"}));
}

TEST(PeriodHours, RunnersApartAndRowsWithoutTimesLeftOut)
{
    const test::ScopedTimeZone zone("UTC");
    JobRecord pair = job(utc(2026, 5, 1, 10), utc(2026, 5, 1, 12));
    pair.twoPass = true;
    JobRecord unfinished = job(utc(2026, 5, 1, 10), utc(2026, 5, 1, 12));
    unfinished.endUtc.reset();
    const std::vector<JobRecord> records{job(utc(2026, 5, 1, 10), utc(2026, 5, 1, 11), "zeta"),
                                         job(utc(2026, 5, 1, 12), utc(2026, 5, 1, 12, 30)),
                                         job(utc(2026, 5, 1, 13), utc(2026, 5, 1, 13, 15), "zeta"),
                                         job(utc(2026, 5, 1, 14), utc(2026, 5, 1, 13)),  // ends before it starts
                                         pair, unfinished};
    const std::vector<PeriodHours> hours = hoursByPeriod(records, Period::Day);
    if (kWindowsHost) {
        // The system's zone decides the days there; the totals stay.
        std::uint64_t total = 0;
        for (const PeriodHours& h : hours) total += h.busyMs;
        EXPECT_EQ(total, 105u * 60'000u);
        return;
    }
    EXPECT_EQ(described(hours), (std::vector<std::string>{
                                    "2026-05-01 2026-05-01T00:00:00Z 2026-05-02T00:00:00Z (no runner) 1 30min",
                                    "2026-05-01 2026-05-01T00:00:00Z 2026-05-02T00:00:00Z zeta 2 75min"}));
}

TEST(PeriodHours, AJobWithAbsurdStampsEndsTheWalkEarly)
{
    const test::ScopedTimeZone zone("UTC");
    const std::vector<PeriodHours> hours =
        hoursByPeriod({job(utc(1700, 1, 1, 0), utc(9000, 1, 1, 0))}, Period::Day);
    std::uint64_t total = 0;
    for (const PeriodHours& h : hours) total += h.busyMs;
    EXPECT_EQ(total, static_cast<std::uint64_t>((utc(9000, 1, 1, 0) - utc(1700, 1, 1, 0)).count()));
    EXPECT_LE(hours.size(), 401u);
}

TEST(PeriodHours, WrittenAsTsvCsvAndJson)
{
    const test::ScopedTimeZone zone("UTC");
    const std::vector<PeriodHours> hours =
        hoursByPeriod({job(utc(2026, 5, 1, 10), utc(2026, 5, 1, 11, 30), "render, box")}, Period::Month);
    const auto written = [&hours](ExportFormat format) {
        std::string text;
        TextSink sink([&text](std::string_view block) {
            text.append(block);
            return true;
        });
        writePeriodHours(hours, format, sink);
        sink.flush();
        return text;
    };
    if (kWindowsHost) GTEST_SKIP() << "the system's zone decides the periods' starts";
    EXPECT_EQ(written(ExportFormat::Tsv),
              "Period\tStart\tRunner\tJobs\tHours\n2026-05\t2026-05-01T00:00:00Z\trender, box\t1\t1.500\n");
    EXPECT_EQ(written(ExportFormat::Csv),
              "Period,Start,Runner,Jobs,Hours\r\n2026-05,2026-05-01T00:00:00Z,\"render, box\",1,1.500\r\n");
    EXPECT_EQ(written(ExportFormat::Json),
              "[\n  {\"period\": \"2026-05\", \"start\": \"2026-05-01T00:00:00Z\", \"end\": \"2026-06-01T00:00:00Z\", "
              "\"runner\": \"render, box\", \"jobs\": 1, \"hours\": 1.500, \"busy_ms\": 5400000}\n]\n");
}

} // namespace
} // namespace chronell::report
