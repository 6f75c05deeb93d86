#pragma once
// The history: every finished job and two-pass pair that a run has seen,
// kept in a SQLite database after the job lists forget them. A run is
// recorded in one transaction: all of it or nothing. A damaged file (or
// one of another program) is renamed aside and a new history started; a
// file locked by another writer is waited for, then the run is skipped.
// Neither stops the run: recording only ever reports notices.
#include <chrono>
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "analysis/job_record.h"

namespace chronell::history {

// Jobs whose start lies in [since, until); either end open when absent.
struct HistoryRange {
    std::optional<Instant> since;
    std::optional<Instant> until;
};

struct RecordOutcome {
    bool recorded = false;       // the run's transaction was committed
    std::size_t jobsAdded = 0;   // jobs not seen before
    std::size_t jobsSeenAgain = 0;
    std::size_t pairsAdded = 0;
    std::vector<std::string> notices;  // what went wrong with the store, one line each
};

class HistoryStore {
public:
    // `busyTimeout`: how long a lock held by another writer is waited for.
    explicit HistoryStore(std::string path, std::chrono::milliseconds busyTimeout = std::chrono::seconds(5));

    const std::string& path() const { return path_; }

    // Records the finished jobs and pairs of a run's records (in row order)
    // over the job-list files of `folder`, seen at `seenAt`. Never throws.
    RecordOutcome record(const std::vector<JobRecord>& records, const std::string& folder, Instant seenAt);

    // The kept jobs of the range in the order they were first recorded,
    // each pair of two of them after its second job, numbered as grid rows
    // from 1; the job file is the file-name part, as a run gives it. No
    // file yet gives no records. Throws ChronellError when the file cannot
    // be read.
    std::vector<JobRecord> read(const HistoryRange& range = {}) const;

    // The same records handed over one at a time, for printers that need
    // not keep them (the summary, the hours per period); a record lives
    // only for its call.
    void forEach(const HistoryRange& range, const std::function<void(const JobRecord&)>& use) const;

    // Of each kept job of the range (no pairs: a summary leaves them out),
    // in the order they were first recorded and numbered from 1, only what a
    // summary reads: the job file's name, the job's name, state, times,
    // duration, runner's name and error; a record lives only for its call.
    void forEachJobSummed(const HistoryRange& range, const std::function<void(const JobRecord&)>& use) const;

    // Of each kept job of the range (no pairs), in no particular order, only
    // what the hours per period need: the start and end instants, the state
    // and the runner's name; a record lives only for its call.
    void forEachTimes(const HistoryRange& range, const std::function<void(const JobRecord&)>& use) const;

private:
    std::string path_;
    std::chrono::milliseconds busyTimeout_;
};

} // namespace chronell::history
