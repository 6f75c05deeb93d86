#include "report/summary.h"

#include <gtest/gtest.h>

#include <regex>

#include "analysis/processing_run.h"
#include "support/sample_settings.h"
#include "support/time_zone.h"

namespace chronell::report {
namespace {

using std::chrono::hours;
using std::chrono::minutes;

JobRecord job(std::string file, int state, std::optional<std::string> runner, std::optional<int> startHour,
              std::optional<int> endHour)
{
    static const Instant kDay = Instant(std::chrono::milliseconds(1'688'169'600'000));  // 2023-07-01 00:00 UTC
    static int row = 0;
    JobRecord record;
    record.row = ++row;
    record.name = "job " + std::to_string(row);
    record.jobFile = std::move(file);
    record.state = state;
    record.runnerName = std::move(runner);
    if (startHour) record.startUtc = kDay + hours(*startHour);
    if (endHour) record.endUtc = kDay + hours(*endHour);
    if (startHour && endHour) record.durationMs = static_cast<std::uint64_t>((*endHour - *startHour) * 3'600'000);
    return record;
}

TEST(Summary, CountsTotalsSpanRunnersAndErrorsPerFileAndRun)
{
    std::vector<JobRecord> records = {
        job("a.jobs", 2, "STUDIO", 1, 3),
        job("a.jobs", 5, "STUDIO", 3, 4),
        job("a.jobs", 1, "ATTIC", 5, std::nullopt),  // running: counted, no time
        job("b.jobs", 0, std::nullopt, std::nullopt, std::nullopt),
        job("b.jobs", 2, "", 10, 12),  // an empty runner name is no runner
        job("b.jobs", 7, std::nullopt, 11, 12),
    };
    records[1].error = "Disk full";
    JobRecord pair = records[1];
    pair.twoPass = true;
    records.insert(records.begin() + 2, pair);  // pairs are not jobs

    const Summary summary = summarize(records);
    ASSERT_EQ(summary.files.size(), 2u);
    const SummaryBlock& a = summary.files[0];
    EXPECT_EQ(a.title, "a.jobs");
    EXPECT_EQ(a.jobs, 3);
    EXPECT_EQ(a.totalMs, 3u * 3'600'000);
    EXPECT_EQ(a.spanMs, 3u * 3'600'000);
    EXPECT_DOUBLE_EQ(*a.busyShare, 1.0);
    ASSERT_EQ(a.runners.size(), 2u);
    EXPECT_EQ(a.runners[0].runner, "ATTIC");
    EXPECT_EQ(a.runners[0].totalMs, 0u);
    EXPECT_EQ(a.runners[1].jobs, 2);
    ASSERT_EQ(a.errors.size(), 1u);
    EXPECT_EQ(a.errors[0].error, "Disk full");

    const SummaryBlock& run = summary.run;
    EXPECT_EQ(run.jobs, 6);
    EXPECT_EQ(run.totalMs, 6u * 3'600'000);
    EXPECT_EQ(run.spanMs, 11u * 3'600'000);  // 01:00 to 12:00
    const std::vector<std::pair<std::string, int>> statuses = {
        {"Waiting", 1}, {"In Progress", 1}, {"Done", 2}, {"Error", 1}, {"State 7", 1}};
    ASSERT_EQ(run.statuses.size(), statuses.size());
    for (std::size_t i = 0; i < statuses.size(); ++i) {
        EXPECT_EQ(run.statuses[i].status, statuses[i].first);
        EXPECT_EQ(run.statuses[i].jobs, statuses[i].second);
    }
    EXPECT_EQ(run.runners.back().runner, "STUDIO");
    EXPECT_EQ(run.runners[0].runner, "(no runner)");
    EXPECT_EQ(run.runners[0].jobs, 2);  // the waiting job under no runner at all
    int underRunners = 0;
    for (const auto& runner : run.runners) underRunners += runner.jobs;
    EXPECT_EQ(underRunners, run.jobs - 1);
}

TEST(Summary, NoTimesGiveNoSpanAndNoShare)
{
    const Summary summary = summarize({job("w.jobs", 0, std::nullopt, std::nullopt, std::nullopt)});
    EXPECT_FALSE(summary.run.firstStart);
    EXPECT_FALSE(summary.run.spanMs);
    EXPECT_FALSE(summary.run.busyShare);
    const std::string json = summaryJson(summary);
    EXPECT_NE(json.find("\"span_ms\": null"), std::string::npos) << json;
    EXPECT_NE(json.find("\"busy_share\": null"), std::string::npos) << json;
}

// Jobs in progress at a fixed run time: the longest time so far follows the
// count; those left behind are counted apart and have no time so far.
TEST(Summary, TimeSoFarAndLeftBehindAsOfTheRunsTime)
{
    std::vector<JobRecord> records = {
        job("a.jobs", 1, "STUDIO", 5, std::nullopt),
        job("a.jobs", 1, "STUDIO", 6, std::nullopt),
        job("a.jobs", 1, "STUDIO", 2, std::nullopt),
        job("b.jobs", 2, "STUDIO", 1, 2),
    };
    records[2].leftBehind = true;
    const Instant kDay = Instant(std::chrono::milliseconds(1'688'169'600'000));
    const Instant now = kDay + hours(7) + minutes(14) + std::chrono::seconds(5);

    const Summary summary = summarize(records, now);
    EXPECT_EQ(summary.files[0].runningMs, 2u * 3'600'000 + 14 * 60'000 + 5'000);
    EXPECT_EQ(summary.files[0].leftBehind, 1);
    EXPECT_FALSE(summary.files[1].runningMs);
    EXPECT_EQ(summary.run.leftBehind, 1);

    const std::string text = summaryText(summary, false, test::settingsA());
    EXPECT_TRUE(std::regex_search(text, std::regex(R"(\n +In Progress +3 \(running 02:14:05\)\n +Left behind +1\n)")))
        << text;
    const std::string json = summaryJson(summary);
    EXPECT_NE(json.find("\"running_ms\": 8045000,\n    \"left_behind\": 1,"), std::string::npos) << json;

    // Without the run's time a running job has no time so far.
    EXPECT_FALSE(summarize(records).run.runningMs);
    EXPECT_EQ(summaryText(summarize(records), false, test::settingsA()).find("running"), std::string::npos);
}

TEST(Summary, BusyShareIsTheUnionOfTheJobsIntervalsAndNeverAboveAll)
{
    // A clock put back an hour while the job ran: its wall-clock duration
    // says three hours, its instants two.
    JobRecord acrossTheChange = job("a.jobs", 2, "STUDIO", 1, 3);
    acrossTheChange.durationMs = 3u * 3'600'000;
    // Two runners in parallel: STUDIO 1-5 (two jobs that overlap), ATTIC 2-4,
    // nobody 5-6, STUDIO again 6-7.
    const struct {
        const char* what;
        std::vector<JobRecord> records;
        double busy;
        double atWork;
        std::vector<double> runnerShares;  // by runner name
    } cases[] = {
        {"clock change", {acrossTheChange}, 1.0, 1.0, {1.0}},
        {"parallel runners",
         {job("p.jobs", 2, "STUDIO", 1, 4), job("p.jobs", 2, "STUDIO", 3, 5), job("p.jobs", 2, "ATTIC", 2, 4),
          job("p.jobs", 2, "STUDIO", 6, 7)},
         5.0 / 6, 7.0 / 6, {2.0 / 6, 5.0 / 6}},
    };
    for (const auto& c : cases) {
        const Summary summary = summarize(c.records);
        ASSERT_TRUE(summary.run.busyShare) << c.what;
        EXPECT_DOUBLE_EQ(*summary.run.busyShare, c.busy) << c.what;
        EXPECT_DOUBLE_EQ(*summary.run.runnersAtWork, c.atWork) << c.what;
        ASSERT_EQ(summary.run.runners.size(), c.runnerShares.size()) << c.what;
        for (std::size_t i = 0; i < c.runnerShares.size(); ++i)
            EXPECT_DOUBLE_EQ(*summary.run.runners[i].busyShare, c.runnerShares[i]) << c.what << " " << i;
    }
}

TEST(Summary, BusySharesInTextAndJson)
{
    const Summary summary = summarize({job("p.jobs", 2, "STUDIO", 1, 4), job("p.jobs", 2, "STUDIO", 3, 5),
                                       job("p.jobs", 2, "ATTIC", 2, 4), job("p.jobs", 2, "STUDIO", 6, 7),
                                       job("p.jobs", 3, "IDLE", std::nullopt, std::nullopt),
                                       job("p.jobs", 0, "QUEUED", std::nullopt, std::nullopt)});
    const std::string text = summaryText(summary, true, test::settingsB());
    EXPECT_NE(text.find("  Busy             83,3 %\n  Runners at work  1,17\n"), std::string::npos) << text;
    EXPECT_NE(text.find("  ATTIC      1  02:00:00.000  33,3 %\n"), std::string::npos) << text;
    EXPECT_NE(text.find("  IDLE       1  00:00:00.000  0,0 %\n"), std::string::npos) << text;
    EXPECT_EQ(text.find("QUEUED"), std::string::npos) << "a waiting job ran on no runner";
    const std::string json = summaryJson(summary);
    EXPECT_NE(json.find("\"busy_share\": 0.8333,\n    \"runners_at_work\": 1.1667,"), std::string::npos) << json;
    EXPECT_NE(json.find("{\"runner\": \"ATTIC\", \"jobs\": 1, \"total_ms\": 7200000, \"busy_share\": 0.3333}"),
              std::string::npos)
        << json;
}

} // namespace
} // namespace chronell::report
