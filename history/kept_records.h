#pragma once
// What the history keeps of a run's records: the finished jobs (done,
// aborted, failed) and the two-pass pairs of two finished jobs, and the
// identity by which a job seen again is known.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "analysis/job_record.h"

namespace chronell::history {

bool isFinishedState(std::optional<std::int32_t> state);

struct KeptPair {
    std::size_t first = 0;  // indices into KeptRecords::jobs
    std::size_t second = 0;
};

struct KeptRecords {
    std::vector<const JobRecord*> jobs;  // in row order; they point into the run's records
    std::vector<KeptPair> pairs;
};

// The records of a run in row order, as the grid holds them: a two-pass row
// follows the second of its two jobs.
KeptRecords keptRecords(const std::vector<JobRecord>& records);

// A hash of a job's identity: the file's job id where it has one, else its
// name, source, destination and start; with the state, so that a job whose
// state changed is another job. Equal identities give equal hashes.
std::int64_t identityHash(const JobRecord& job);

// Whether two jobs have the same identity (not just the same hash).
bool sameIdentity(const JobRecord& a, const JobRecord& b);

} // namespace chronell::history
