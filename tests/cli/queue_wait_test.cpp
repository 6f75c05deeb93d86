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
    EXPECT_EQ(last_.stand.failed, 1);
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
