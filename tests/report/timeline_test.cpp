#include "report/timeline.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>

#include "analysis/regional_settings.h"
#include "platform/paths.h"
#include "support/temp_folder.h"
#include "support/time_zone.h"

namespace chronell::report {
namespace {

using std::chrono::minutes;

const Instant kStart = Instant(std::chrono::milliseconds(1'688'169'600'000));  // 2023-07-01 00:00 UTC

JobRecord timedJob(int row, std::optional<std::string> runner, int startMinute, int endMinute, int state = 2)
{
    JobRecord record;
    record.row = row;
    record.name = "job <" + std::to_string(row) + "> & \"more\"";
    record.jobFile = "q.jobs";
    record.state = state;
    record.runnerName = std::move(runner);
    record.startUtc = kStart + minutes(startMinute);
    record.endUtc = kStart + minutes(endMinute);
    record.durationMs = static_cast<std::uint64_t>(std::abs(endMinute - startMinute)) * 60'000;
    return record;
}

TEST(Timeline, LanesBarsAndPairs)
{
    std::vector<JobRecord> records = {timedJob(1, "STUDIO", 0, 60), timedJob(2, "STUDIO", 60, 90)};
    JobRecord pair;
    pair.row = 3;
    pair.twoPass = true;
    records.push_back(pair);
    records.push_back(timedJob(4, std::nullopt, 30, 10));  // backwards: drawn from 10 to 30
    JobRecord running = timedJob(5, "ATTIC", 100, 100, 1);
    running.endUtc.reset();
    records.push_back(running);  // no end and no time now: no bar, no lane

    const Timeline timeline = buildTimeline(records);
    EXPECT_EQ(timeline.lanes, (std::vector<std::string>{"STUDIO", "q.jobs"}));
    ASSERT_EQ(timeline.bars.size(), 3u);
    EXPECT_EQ(timeline.bars[2].lane, 1u);
    EXPECT_EQ(timeline.bars[2].start, kStart + minutes(10));
    ASSERT_EQ(timeline.pairs.size(), 1u);
    EXPECT_EQ(timeline.bars[timeline.pairs[0].first].record->row, 1);
    EXPECT_EQ(timeline.bars[timeline.pairs[0].second].record->row, 2);
    EXPECT_EQ(timeline.from, kStart);
    EXPECT_EQ(timeline.to, kStart + minutes(90));
}

TEST(Timeline, RunnersSortedThenFilesAsMetAndBarsByStartInTheirLane)
{
    std::vector<JobRecord> records = {timedJob(1, "ZED", 50, 60), timedJob(2, std::nullopt, 40, 45),
                                      timedJob(3, "ALPHA", 30, 35), timedJob(4, "ZED", 10, 20),
                                      timedJob(5, "ZED", 10, 15),  // starts with row 4: after it
                                      timedJob(6, std::nullopt, 0, 5)};
    records[1].jobFile = "b.jobs";
    records[5].jobFile = "a.jobs";
    records[5].state.reset();
    records[3].state = 5;
    const Timeline timeline = buildTimeline(records);
    EXPECT_EQ(timeline.lanes, (std::vector<std::string>{"ALPHA", "ZED", "b.jobs", "a.jobs"}));
    EXPECT_EQ(timeline.states, (std::set<std::int32_t>{-1, 2, 5}));
    std::vector<std::pair<std::size_t, int>> laneAndRow;
    for (const TimelineBar& bar : timeline.bars) laneAndRow.emplace_back(bar.lane, bar.record->row);
    EXPECT_EQ(laneAndRow, (std::vector<std::pair<std::size_t, int>>{{0, 3}, {1, 4}, {1, 5}, {1, 1}, {2, 2}, {3, 6}}));
}

TEST(Timeline, APairJoinsTheLastBarsOfItsTwoRows)
{
    // Records of two runs read back together: rows repeat, and the later bar of a row counts.
    std::vector<JobRecord> records = {timedJob(1, "A", 0, 10), timedJob(2, "A", 10, 20), timedJob(1, "A", 100, 110),
                                      timedJob(2, "A", 110, 120)};
    JobRecord pair;
    pair.row = 3;
    pair.twoPass = true;
    records.push_back(pair);
    const Timeline timeline = buildTimeline(records);
    ASSERT_EQ(timeline.pairs.size(), 1u);
    EXPECT_EQ(timeline.bars[timeline.pairs[0].first].start, kStart + minutes(100));
    EXPECT_EQ(timeline.bars[timeline.pairs[0].second].start, kStart + minutes(110));
}

TEST(Timeline, PairsJoinTheirJobsWhereverTheLanesPutThem)
{
    // Runner B's job comes first but its lane sorts after A's; in lane C a
    // later row starts earlier, so the lane's bars change places.
    std::vector<JobRecord> records = {timedJob(1, "B", 0, 10), timedJob(2, "A", 10, 20)};
    JobRecord pair;
    pair.twoPass = true;
    pair.row = 3;
    records.push_back(pair);
    records.push_back(timedJob(4, "C", 50, 60));
    records.push_back(timedJob(5, "C", 30, 40));
    pair.row = 6;
    records.push_back(pair);
    const Timeline timeline = buildTimeline(records);
    ASSERT_EQ(timeline.pairs.size(), 2u);
    const auto rowsOf = [&timeline](const TimelinePair& joined) {
        return std::pair(timeline.bars[joined.first].record->row, timeline.bars[joined.second].record->row);
    };
    EXPECT_EQ(rowsOf(timeline.pairs[0]), std::pair(1, 2));
    EXPECT_EQ(rowsOf(timeline.pairs[1]), std::pair(4, 5));
    EXPECT_EQ(timeline.bars[timeline.pairs[1].second].lane, 2u);
}

TEST(Timeline, MergedBarsTellHowManyJobsFromWhenToWhen)
{
    const test::ScopedTimeZone zone("UTC");
    const std::vector<JobRecord> records = {timedJob(1, "A", 0, 1), timedJob(2, "A", 1, 2), timedJob(3, "A", 2, 3)};
    const Timeline timeline = buildTimeline(records);
    const RegionalSettings settings;
    EXPECT_EQ(drawnBarTooltip(timeline, {0, 0, 1, 0, 3}, true, settings), "3 jobs, 7/1/23 to 7/1/23 12:03:00 am");
    const BarTooltips tooltips(settings);
    std::string text = "before ";
    tooltips.appendDrawn(text, timeline, {0, 0, 1, 2, 1}, true);
    EXPECT_EQ(text, "before " + barTooltip(records[2], true, settings));
}

TEST(Timeline, BarsNarrowerThanAPixelMergePerLaneAndPixel)
{
    std::vector<JobRecord> records;
    for (int i = 0; i < 1000; ++i) records.push_back(timedJob(i + 1, "A", i, i + 1));  // one minute each
    records.push_back(timedJob(1001, "B", 0, 500));
    const Timeline timeline = buildTimeline(records);
    // 1001 minutes on 100 pixels: ten jobs a pixel in lane A, one wide bar in lane B.
    const auto drawn = drawnBars(timeline, 0, 1000 * 60'000.0, 100);
    std::size_t bars = 0;
    std::size_t merged = 0;
    for (const DrawnBar& bar : drawn) {
        bars += bar.count;
        if (bar.count > 1) ++merged;
        EXPECT_LE(bar.count, 11u);
    }
    EXPECT_EQ(bars, 1001u);
    EXPECT_GE(merged, 90u);
    EXPECT_LE(drawn.size(), 102u);
    // Zoomed in to 10 minutes, each job is wide enough to stand alone.
    const auto zoomed = drawnBars(timeline, 0, 10 * 60'000.0, 1000);
    for (const DrawnBar& bar : zoomed) EXPECT_EQ(bar.count, 1u);
}

TEST(Timeline, TicksFallOnRoundLocalTimes)
{
    if (kWindowsHost) GTEST_SKIP() << "TZ does not set the Windows time zone";
    const test::ScopedTimeZone zone("Asia/Kolkata");  // UTC+05:30
    const TimeAxis axis({{kStart, kStart + std::chrono::hours(10)}});
    const auto ticks = axisTicks(axis, 0, 10 * 3'600'000.0, 1000, RegionalSettings{},
                                 [](const std::string&) { return 60.0; });
    ASSERT_FALSE(ticks.empty());
    for (const AxisTick& tick : ticks) {
        const auto minutesOfDay = (tick.at.time_since_epoch().count() / 60'000 + 330) % 1440;  // local
        EXPECT_EQ(minutesOfDay % 60, 0) << "hourly ticks on the local hour";
    }
    EXPECT_LE(ticks.size(), 11u);
}

TEST(Timeline, ARunningJobIsDrawnFromItsStartToNow)
{
    std::vector<JobRecord> records = {timedJob(1, "STUDIO", 0, 60)};
    JobRecord running = timedJob(2, "ATTIC", 70, 70, 1);
    running.endUtc.reset();
    records.push_back(running);
    JobRecord stale = running;  // left behind by a runner that has gone: not running
    stale.row = 3;
    stale.leftBehind = true;
    records.push_back(stale);

    for (const int nowMinute : {95, 500}) {
        const Instant now = kStart + minutes(nowMinute);
        const Timeline timeline = buildTimeline(records, now);
        ASSERT_EQ(timeline.bars.size(), 2u) << nowMinute;
        const TimelineBar& bar = timeline.bars[0];  // ATTIC sorts first
        EXPECT_EQ(bar.record->row, 2);
        EXPECT_TRUE(bar.open);
        EXPECT_EQ(bar.start, kStart + minutes(70));
        EXPECT_EQ(bar.end, now);
        EXPECT_EQ(timeline.to, now);
        EXPECT_FALSE(timeline.bars[1].open);
        EXPECT_TRUE(timeline.axis.folds().empty()) << "a running job leaves no idle stretch";
    }
    // A runner's clock ahead of ours: the bar has no length, but is drawn.
    const Timeline early = buildTimeline(records, kStart + minutes(50));
    EXPECT_EQ(early.bars[0].end, kStart + minutes(70));
}

TEST(Timeline, WhatIsKeptOfARunDrawsTheSameTimeline)
{
    // Jobs done, running, left behind, without a start or an end, and pairs,
    // some of whose jobs are not drawn.
    std::vector<JobRecord> run;
    for (int row = 1; row <= 60; ++row) {
        JobRecord record = timedJob(row, row % 4 == 0 ? std::nullopt : std::optional<std::string>("R" + std::to_string(row % 3)),
                                    row * 7, row * 7 + 5, row % 5 == 0 ? 1 : 2);
        record.runnerId = "b03d74e57a52f29" + std::to_string(row % 10);
        record.id = "5ee163e38edf5a7" + std::to_string(row % 10);
        if (row % 9 == 0) record.error = "failed at frame " + std::to_string(row);
        if (row % 5 == 0 || row % 11 == 0) record.endUtc.reset();
        if (row % 7 == 0) record.startUtc.reset();
        if (row % 6 == 0) {
            record = JobRecord{};
            record.row = row;
            record.twoPass = true;
            record.name = "2pass";
            record.startUtc = kStart + minutes(row);
            record.endUtc = kStart + minutes(row * 8);
        }
        run.push_back(record);
    }
    const auto leftBehind = [](const JobRecord& record) { return record.row % 10 == 0; };
    std::vector<JobRecord> judged;
    std::vector<JobRecord> kept;
    for (const JobRecord& record : run) {
        judged.push_back(record);
        judged.back().leftBehind = leftBehind(record);
        keepForTimeline(kept, record, leftBehind(record));
    }
    EXPECT_LT(kept.size(), judged.size());
    const Instant now = kStart + minutes(1000);
    const Timeline whole = buildTimeline(judged, now);
    const Timeline fromKept = buildTimeline(kept, now);
    EXPECT_GT(whole.pairs.size(), 0u);
    EXPECT_GT(whole.bars.size(), 30u);
    EXPECT_EQ(timelineSvg(fromKept, RegionalSettings{}), timelineSvg(whole, RegionalSettings{}));
}

// Runs a command and gives its exit status.
int run(const std::string& command) { return std::system(command.c_str()); }

TEST(Timeline, SvgIsXmlAndRendersToAPicture)
{
    if (kWindowsHost) GTEST_SKIP() << "checks the picture with Linux tools through a POSIX shell";
    if (run("command -v xmllint >/dev/null && command -v rsvg-convert >/dev/null") != 0)
        GTEST_SKIP() << "xmllint and rsvg-convert are installed by scripts/install-deps";
    std::vector<JobRecord> records = {timedJob(1, "STUDIO", 0, 60), timedJob(2, "STUDIO", 61, 90, 5)};
    JobRecord running = timedJob(40'003, "STUDIO", 95, 95, 1);
    running.endUtc.reset();
    records.push_back(running);
    records[1].error = std::string("bad \x01 byte \xE9");
    for (int i = 0; i < 40'000; ++i) records.push_back(timedJob(3 + i, "FARM", 100 + i * 3, 102 + i * 3));
    const std::string svg = timelineSvg(buildTimeline(records, kStart + minutes(200'000)), RegionalSettings{});
    EXPECT_LT(svg.size(), 10u << 20);
    std::size_t titledBars = 0;
    for (auto at = svg.find("\"><title>"); at != std::string::npos; at = svg.find("\"><title>", at + 1)) ++titledBars;
    EXPECT_LT(titledBars, 40'002u) << "the farm's bars are merged";
    EXPECT_GE(titledBars, 3u);

    test::TempFolder folder;
    const std::string path = folder.write("queue.svg", svg);
    const std::string png = folder.string() + "/queue.png";
    ASSERT_EQ(run("xmllint --noout '" + path + "'"), 0);
    ASSERT_EQ(run("rsvg-convert '" + path + "' -o '" + png + "'"), 0);
    // Not blank: the picture holds more than its background and text colours.
    const std::string colours = folder.string() + "/colours";
    ASSERT_EQ(run("convert '" + png + "' -format %k info: > '" + colours + "'"), 0);
    std::ifstream in(colours);
    int count = 0;
    in >> count;
    EXPECT_GT(count, 4);
}

} // namespace
} // namespace chronell::report
