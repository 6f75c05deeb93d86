#include "report/queue_stand.h"

#include <gtest/gtest.h>

#include <vector>

#include "report/running_jobs.h"

namespace chronell::report {
namespace {

using std::chrono::milliseconds;

const Instant kStart = Instant(milliseconds(1'688'169'600'000));  // 2023-07-01 00:00 UTC

JobRecord job(std::int32_t state, bool started = false)
{
    JobRecord record;
    record.state = state;
    if (started) record.startUtc = kStart;
    return record;
}

JobRecord ended(std::int32_t state, milliseconds start, milliseconds end)
{
    JobRecord record = job(state);
    record.startUtc = kStart + start;
    record.endUtc = kStart + end;
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
        int failed;
    };
    JobRecord leftBehind = job(kInProgressState, true);
    leftBehind.leftBehind = true;
    JobRecord pair = job(kWaitingState);
    pair.twoPass = true;
    const Case cases[] = {
        {"all done", {job(kDoneState), job(kDoneState)}, 0, 0, 0},
        {"postponed waits no more", {job(3)}, 0, 0, 0},
        {"waiting and running", {job(kWaitingState), job(kInProgressState, true), job(kDoneState)}, 1, 1, 0},
        {"aborting and starting are in progress", {job(kAbortingState), job(kStartingState)}, 0, 2, 0},
        {"error", {job(kDoneState), job(kErrorState)}, 0, 0, 1},
        {"aborted", {job(kAbortedState)}, 0, 0, 1},
        {"left behind waits no more and failed", {leftBehind}, 0, 0, 1},
        {"a pair is no job", {pair}, 0, 0, 0},
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

TEST(QueueStand, FinishedTextCountsAndSpan)
{
    const milliseconds hour(3'600'000);
    EXPECT_EQ(queueFinishedText(standOf({ended(kDoneState, hour, 2 * hour), ended(kErrorState, 3 * hour, 4 * hour),
                                         ended(kDoneState, milliseconds(0), milliseconds(20'530'000))})),
              "2 done, 1 failed - 05:42:10");
    EXPECT_EQ(queueFinishedText(standOf({ended(kDoneState, hour, 2 * hour)})), "1 done - 01:00:00");
    EXPECT_EQ(queueFinishedText(standOf({job(3)})), "0 done - 00:00:00");
}

// Readings one after another, and whether each announces the queue's end.
TEST(QueueEndWatch, AnnouncesOnceOnTheTransitionToNothingLeft)
{
    const QueueStand open = standOf({job(kWaitingState), job(kDoneState)});
    const QueueStand running = standOf({job(kInProgressState, true)});
    const QueueStand finished = standOf({job(kDoneState)});
    const QueueStand failed = standOf({job(kErrorState)});
    struct Case {
        const char* what;
        std::vector<QueueStand> readings;
        std::vector<bool> announced;
    };
    const Case cases[] = {
        {"finished from the start", {finished, finished}, {false, false}},
        {"waiting, then done", {open, finished}, {false, true}},
        {"running, then failed", {running, failed}, {false, true}},
        {"once only", {running, finished, finished, finished}, {false, true, false, false}},
        {"still running", {open, running, running}, {false, false, false}},
        {"a new queue ends again", {open, finished, running, finished}, {false, true, false, true}},
    };
    for (const Case& c : cases) {
        QueueEndWatch watch;
        for (std::size_t i = 0; i < c.readings.size(); ++i)
            EXPECT_EQ(watch.justFinished(c.readings[i]), c.announced[i]) << c.what << " " << i;
    }
    // Reset: the next reading only sets where the queue stands.
    QueueEndWatch watch;
    watch.justFinished(open);
    watch.reset();
    EXPECT_FALSE(watch.justFinished(finished));
}

} // namespace
} // namespace chronell::report
