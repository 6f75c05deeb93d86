#include "cli/queue_wait.h"

#include <gtest/gtest.h>

#include <vector>

#include "platform/folder_change_wait.h"
#include "report/running_jobs.h"
#include "support/temp_folder.h"

namespace chronell::report {
namespace {

using std::chrono::milliseconds;
using test::TempFolder;

const Instant kStart = Instant(milliseconds(1'688'169'600'000));  // 2023-07-01 00:00 UTC

JobRecord job(std::int32_t state, bool started = false)
{
    JobRecord record;
    record.state = state;
    if (started) record.startUtc = kStart;
    return record;
}

QueueStand standOf(const std::vector<JobRecord>& records)
{
    QueueStand stand;
    for (const JobRecord& record : records) stand.add(record);
    return stand;
}

TEST(QueueStand, WaitingInProgressAndFailedJobs)
{
    struct Case {
        const char* what;
        std::vector<JobRecord> records;
        int waiting;
        int inProgress;
        bool failed;
    };
    JobRecord leftBehind = job(kInProgressState, true);
    leftBehind.leftBehind = true;
    JobRecord pair = job(kWaitingState);
    pair.twoPass = true;
    const Case cases[] = {
        {"all done", {job(kDoneState), job(kDoneState)}, 0, 0, false},
        {"postponed waits no more", {job(3)}, 0, 0, false},
        {"waiting and running", {job(kWaitingState), job(kInProgressState, true), job(kDoneState)}, 1, 1, false},
        {"aborting and starting are in progress", {job(kAbortingState), job(kStartingState)}, 0, 2, false},
        {"error", {job(kDoneState), job(kErrorState)}, 0, 0, true},
        {"aborted", {job(kAbortedState)}, 0, 0, true},
        {"left behind waits no more and failed", {leftBehind}, 0, 0, true},
        {"a pair is no job", {pair}, 0, 0, false},
    };
    for (const Case& c : cases) {
        const QueueStand stand = standOf(c.records);
        EXPECT_EQ(stand.waiting, c.waiting) << c.what;
        EXPECT_EQ(stand.inProgress, c.inProgress) << c.what;
        EXPECT_EQ(stand.failed, c.failed) << c.what;
        EXPECT_EQ(stand.finished(), c.waiting == 0 && c.inProgress == 0) << c.what;
    }
}

TEST(QueueStand, TextWithTheLongestTimeSoFar)
{
    JobRecord later = job(kInProgressState, true);
    later.startUtc = kStart + milliseconds(60'000);
    const QueueStand stand =
        standOf({job(kWaitingState), job(kWaitingState), job(kWaitingState), later, job(kInProgressState, true)});
    EXPECT_EQ(standText(stand, kStart + milliseconds(750'500)), "3 waiting, 2 running for 00:12:30");
    EXPECT_EQ(standText(standOf({job(kWaitingState), job(kAbortingState)}), kStart), "1 waiting, 1 running");
}

// A wait over a real folder, with readings made up by the test and a
// steady clock that stands still unless the test moves it.
class QueueWaitTest : public ::testing::Test {
protected:
    QueueWaitTest() : changes_(folder_.string())
    {
        options_.quietTime = milliseconds(0);
        clocks_.wall = [] { return kStart; };
        clocks_.steady = [this] { return steadyNow_; };
    }

    // Waits with `readings` handed out in turn (the last one again and
    // again); `between` is called after each reading.
    WaitEnd waitWith(std::vector<QueueReading> readings, const std::function<void(int reading)>& between = {})
    {
        const auto read = [&](Instant) {
            const QueueReading reading = readings[std::min<std::size_t>(static_cast<std::size_t>(reads_), readings.size() - 1)];
            ++reads_;
            if (between) between(reads_);
            return reading;
        };
        return waitForQueue(read, changes_, clocks_, options_,
                            [this](const QueueStand& stand, Instant) { shown_.push_back(stand); }, last_);
    }

    static QueueReading reading(std::vector<JobRecord> records)
    {
        QueueReading result;
        result.stand = standOf(records);
        return result;
    }

    TempFolder folder_;
    FolderChangeWait changes_;
    WaitClocks clocks_;
    WaitOptions options_;
    std::chrono::steady_clock::time_point steadyNow_;
    int reads_ = 0;
    std::vector<QueueStand> shown_;
    QueueReading last_;
};

TEST_F(QueueWaitTest, AFinishedQueueEndsAtOnce)
{
    EXPECT_EQ(waitWith({reading({job(kDoneState), job(kErrorState)})}), WaitEnd::Finished);
    EXPECT_EQ(reads_, 1);
    EXPECT_TRUE(last_.stand.failed);
    EXPECT_TRUE(shown_.empty());
}

// The folder changes after the first reading: the wait wakes, reads again
// and finds the queue finished.
TEST_F(QueueWaitTest, AChangeWakesItToReadAgain)
{
    const auto rewrite = [this](int reads) {
        if (reads == 1) folder_.write("queue.jobs", "rewritten");
    };
    EXPECT_EQ(waitWith({reading({job(kInProgressState, true)}), reading({job(kDoneState)})}, rewrite),
              WaitEnd::Finished);
    EXPECT_EQ(reads_, 2);
    ASSERT_EQ(shown_.size(), 1u);
    EXPECT_EQ(shown_[0].inProgress, 1);
}

TEST_F(QueueWaitTest, NoChangeWithinTheLimitTimesOut)
{
    options_.limit = milliseconds(0);
    EXPECT_EQ(waitWith({reading({job(kWaitingState)})}), WaitEnd::TimedOut);
    EXPECT_EQ(reads_, 1);
}

// A time limit that has run out while the folder was changing still ends
// the wait.
TEST_F(QueueWaitTest, TheLimitHoldsWhileTheFolderKeepsChanging)
{
    options_.limit = milliseconds(2'000);
    const auto changeAndAge = [this](int) {
        folder_.write("queue.jobs", "again");
        steadyNow_ += milliseconds(1'000);
    };
    EXPECT_EQ(waitWith({reading({job(kWaitingState)})}, changeAndAge), WaitEnd::TimedOut);
    EXPECT_EQ(reads_, 2);
}

// A file caught mid-write is read again without waiting for a change, up
// to three times; then the reading is taken as it is.
TEST_F(QueueWaitTest, AReadingCaughtMidWriteIsReadAgain)
{
    struct Case {
        const char* what;
        int caughtReadings;  // readings caught before a whole one
        bool withError;
        WaitEnd end;
        int reads;
    };
    const Case cases[] = {
        {"caught once", 1, false, WaitEnd::Finished, 2},
        {"caught three times", 3, false, WaitEnd::Finished, 4},
        {"caught every time: taken as it is", 99, false, WaitEnd::Finished, 4},
        {"an error every time", 99, true, WaitEnd::Failed, 4},
        {"an error once", 1, true, WaitEnd::Finished, 2},
    };
    for (const Case& c : cases) {
        QueueReading caught = reading({});  // a cut file shows no job left: finished, were it trusted
        caught.caughtMidWrite = true;
        if (c.withError) caught.error = "'x' is not a valid integer value";
        std::vector<QueueReading> readings(static_cast<std::size_t>(std::min(c.caughtReadings, 10)), caught);
        readings.push_back(c.caughtReadings > 10 ? caught : reading({job(kDoneState)}));
        reads_ = 0;
        EXPECT_EQ(waitWith(readings), c.end) << c.what;
        EXPECT_EQ(reads_, c.reads) << c.what;
    }
}

TEST_F(QueueWaitTest, AFolderThatCannotBeSearchedFails)
{
    QueueReading failed;
    failed.searchError = std::make_error_code(std::errc::no_such_file_or_directory);
    EXPECT_EQ(waitWith({failed}), WaitEnd::Failed);
    EXPECT_TRUE(last_.searchError);
}

} // namespace
} // namespace chronell::report
