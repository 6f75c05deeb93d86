#include "report/running_jobs.h"

#include <gtest/gtest.h>

#include <set>

#include "platform/process_table.h"

namespace chronell::report {
namespace {

using std::chrono::milliseconds;

const Instant kStart = Instant(milliseconds(1'688'169'600'000));  // 2023-07-01 00:00 UTC

// A computer made up for the test: its name and the ids of its processes.
class FakeProcessTable : public ProcessTable {
public:
    FakeProcessTable(std::string name, std::set<std::uint32_t> running)
        : name_(std::move(name)), running_(std::move(running))
    {
    }
    std::string computerName() const override { return name_; }
    bool processRuns(std::uint32_t processId) const override
    {
        asked_.insert(processId);
        return running_.contains(processId);
    }
    mutable std::set<std::uint32_t> asked_;

private:
    std::string name_;
    std::set<std::uint32_t> running_;
};

JobRecord runningJob()
{
    JobRecord record;
    record.state = kInProgressState;
    record.startUtc = kStart;
    return record;
}

TEST(RunningJobs, TimeSoFarOfAJobInProgressOnly)
{
    struct Case {
        const char* what;
        JobRecord record;
        std::optional<std::uint64_t> expected;
    };
    JobRecord ended = runningJob();
    ended.endUtc = kStart + milliseconds(1);
    JobRecord unstarted = runningJob();
    unstarted.startUtc.reset();
    JobRecord done = runningJob();
    done.state = kDoneState;
    JobRecord aborting = runningJob();
    aborting.state = kAbortingState;
    JobRecord leftBehind = runningJob();
    leftBehind.leftBehind = true;
    JobRecord pair = runningJob();
    pair.state.reset();
    const Case cases[] = {
        {"in progress", runningJob(), 8'045'250},
        {"with an end", ended, std::nullopt},
        {"without a start", unstarted, std::nullopt},
        {"done", done, std::nullopt},
        {"aborting", aborting, std::nullopt},
        {"left behind", leftBehind, std::nullopt},
        {"a two-pass row", pair, std::nullopt},
    };
    const Instant now = kStart + milliseconds(8'045'250);
    for (const Case& c : cases) {
        EXPECT_EQ(runningMs(c.record, now), c.expected) << c.what;
        EXPECT_EQ(isRunning(c.record), c.expected.has_value()) << c.what;
    }
    // A start after the clock (another computer's clock ahead of ours) has run no time yet.
    EXPECT_EQ(runningMs(runningJob(), kStart - milliseconds(5)), 0u);
}

TEST(RunningJobs, ClockTextOfWholeSeconds)
{
    EXPECT_EQ(clockText(0), "00:00:00");
    EXPECT_EQ(clockText(8'045'999), "02:14:05");
    EXPECT_EQ(clockText(360'000'000), "100:00:00");
}

TEST(RunningJobs, ProcessIdIsTheRunnerIdsLowHalf)
{
    EXPECT_EQ(runnerProcessId("1b2c3d4e00000a10"), 0xa10u);
    EXPECT_EQ(runnerProcessId("a10"), 0xa10u);
    EXPECT_EQ(runnerProcessId("1B2C3D4Effffffff"), 0xffffffffu);
    for (const char* unusable : {"", "0", "1b2c3d4e00000000", "1b2c3d4e00000a10f", "zz00000a10", "0x a10"})
        EXPECT_EQ(runnerProcessId(unusable), std::nullopt) << unusable;
}

TEST(RunningJobs, LeftBehindOnlyForThisComputersEndedRunners)
{
    const FakeProcessTable table("STUDIO", {0xa10});
    const LeftBehindJudge leftBehind(table);
    struct Case {
        const char* what;
        std::int32_t state;
        std::optional<std::string> runnerName;
        std::optional<std::string> runnerId;
        bool expected;
    };
    const Case cases[] = {
        {"in progress, process gone", kInProgressState, "STUDIO", "1b2c3d4e00000b20", true},
        {"aborting, process gone", kAbortingState, "STUDIO", "1b2c3d4e00000b20", true},
        {"name in another case", kInProgressState, "studio", "1b2c3d4e00000b20", true},
        {"process still runs", kInProgressState, "STUDIO", "1b2c3d4e00000a10", false},
        {"another computer", kInProgressState, "ATTIC", "1b2c3d4e00000b20", false},
        {"a longer name", kInProgressState, "STUDIO2", "1b2c3d4e00000b20", false},
        {"no runner name", kInProgressState, std::nullopt, "1b2c3d4e00000b20", false},
        {"no runner id", kInProgressState, "STUDIO", std::nullopt, false},
        {"runner id 0", kInProgressState, "STUDIO", "0", false},
        {"done", kDoneState, "STUDIO", "1b2c3d4e00000b20", false},
        {"aborted", kAbortedState, "STUDIO", "1b2c3d4e00000b20", false},
        {"starting", kStartingState, "STUDIO", "1b2c3d4e00000b20", false},
    };
    for (const Case& c : cases) {
        JobRecord record = runningJob();
        record.state = c.state;
        record.runnerName = c.runnerName;
        record.runnerId = c.runnerId;
        EXPECT_EQ(leftBehind(record), c.expected) << c.what;
    }
}

TEST(RunningJobs, OtherComputersJobsAreNeverAskedAbout)
{
    const FakeProcessTable table("STUDIO", {});
    JobRecord record = runningJob();
    record.runnerName = "ATTIC";
    record.runnerId = "8a7b6c5d00001f40";
    EXPECT_FALSE(LeftBehindJudge(table)(record));
    EXPECT_TRUE(table.asked_.empty());
}

TEST(RunningJobs, AComputerWithoutANameJudgesNothing)
{
    const FakeProcessTable table("", {});
    JobRecord record = runningJob();
    record.runnerName = "";
    record.runnerId = "8a7b6c5d00001f40";
    EXPECT_FALSE(LeftBehindJudge(table)(record));
}

// This computer's own table: its name with a process id that does not run.
TEST(RunningJobs, LeftBehindOnThisComputer)
{
    const SystemProcessTable table;
    JobRecord record = runningJob();
    record.runnerName = table.computerName();
    record.runnerId = "1b2c3d4efffffffc";  // no process has this id, on either host
    EXPECT_TRUE(LeftBehindJudge(table)(record));
}

} // namespace
} // namespace chronell::report
