#pragma once
// Where a queue stands, from the records of one reading of its files: how
// many jobs wait, run, ended done or failed, and when it ran. What
// chronell-report --wait waits on and the window announces the end of.
#include <optional>
#include <string>

#include "analysis/instant.h"
#include "analysis/job_record.h"

namespace chronell::report {

struct QueueStand {
    int waiting = 0;
    int inProgress = 0;  // in progress, aborting or starting, and not left behind
    int done = 0;
    int failed = 0;  // ended in error, aborted, or left behind by its runner
    std::optional<Instant> runningSince;  // the earliest start of a running job
    std::optional<Instant> firstStart;    // of the jobs that ended
    std::optional<Instant> lastEnd;

    // Counts a job's record; two-pass rows are passed over.
    void add(const JobRecord& record);
    bool finished() const { return waiting == 0 && inProgress == 0; }
};

// "3 waiting, 1 running for 00:12:30" at `now` (without "for ..." when no
// job is running with a start).
std::string standText(const QueueStand& stand, Instant now);

// "12 done, 1 failed - 05:42:10": the jobs done and failed (without
// "failed" when none did), and the time from the first start to the last end.
std::string queueFinishedText(const QueueStand& stand);

// Tells, reading after reading, when a queue has just finished: once, on
// the first reading that finds no job waiting or in progress after one that
// found some. The first reading only sets where the queue stood.
class QueueEndWatch {
public:
    bool justFinished(const QueueStand& stand);
    void reset() { open_.reset(); }

private:
    std::optional<bool> open_;  // whether jobs waited or ran at the last reading
};

} // namespace chronell::report
