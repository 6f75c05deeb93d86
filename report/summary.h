#pragma once
// The summary of a run's records: per job-list file and for the whole run,
// the jobs by status, the total duration, the first start and last end, the
// span between them and the busy share, the jobs and total per runner, and
// the errors. Two-pass rows are not jobs and are left out. A queue that is
// running adds how long its jobs in progress have run so far, as of the
// run's time, and how many were left behind by a runner that died.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "analysis/job_record.h"

namespace chronell {
struct RegionalSettings;
}

namespace chronell::report {

struct StatusCount {
    std::string status;  // the status word, or "State n" for a state without one
    int jobs = 0;
};

struct RunnerTotal {
    std::string runner;  // "(unknown)" for jobs without a runner line
    int jobs = 0;
    std::uint64_t totalMs = 0;
    std::optional<double> busyShare;  // of the block's span, in which this runner's jobs ran
};

struct ErrorEntry {
    std::string jobName;
    std::string error;  // empty when the file gives no error text
    std::string jobFile;
};

struct SummaryBlock {
    std::string title;  // the job-list file's name; "" for the whole run
    int jobs = 0;
    std::vector<StatusCount> statuses;  // in the order of the states
    std::optional<std::uint64_t> runningMs;  // the longest time so far of a running job
    int leftBehind = 0;                      // jobs whose runner left them behind
    std::uint64_t totalMs = 0;          // the jobs with both times
    std::optional<Instant> firstStart;  // of the jobs with times
    std::optional<Instant> lastEnd;
    std::optional<TDateTime> firstStartShown;
    std::optional<TDateTime> lastEndShown;
    std::optional<std::uint64_t> spanMs;  // lastEnd - firstStart, when both exist and in order
    // Of a span that is not 0: the share in which at least one job ran (the
    // union of the jobs' intervals between their instants, so never above
    // 1), and the runners at work on average (the runners' busy shares added).
    std::optional<double> busyShare;
    std::optional<double> runnersAtWork;
    std::vector<RunnerTotal> runners;     // by name
    std::vector<ErrorEntry> errors;       // in row order
};

struct Summary {
    std::vector<SummaryBlock> files;  // in row order
    SummaryBlock run;
};

// Builds the summary record by record, as a run hands them over, so that the
// records need not be kept.
class SummaryBuilder {
public:
    // `now`: the run's time, from which running jobs' times so far are
    // taken; without it they have none.
    explicit SummaryBuilder(std::optional<Instant> now = std::nullopt);
    ~SummaryBuilder();
    SummaryBuilder(const SummaryBuilder&) = delete;
    SummaryBuilder& operator=(const SummaryBuilder&) = delete;

    void add(const JobRecord& record);
    Summary finish();

private:
    class Block;
    std::unique_ptr<Block> run_;
    std::unique_ptr<Block> file_;
    std::optional<Instant> now_;
    Summary summary_;
};

// The runner a job is counted under: its name, "(no runner)" without one.
std::string runnerOf(const JobRecord& record);
// The same without a copy: it lives as long as the record.
std::string_view runnerNameOf(const JobRecord& record);

Summary summarize(const std::vector<JobRecord>& records, std::optional<Instant> now = std::nullopt);

// An aligned text table; durations as hh:mm:ss.zzz when `formatted`, else
// seconds; dates by the regional settings. The time so far of running jobs
// follows their count ("In Progress 1 (running 02:14:05)").
std::string summaryText(const Summary& summary, bool formatted, const RegionalSettings& settings);

// The same as JSON: instants in ISO 8601 UTC, durations in milliseconds
// (the time so far as "running_ms", null without a running job).
std::string summaryJson(const Summary& summary);

} // namespace chronell::report
