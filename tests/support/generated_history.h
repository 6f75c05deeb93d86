#pragma once
// Generated finished jobs for the history's tests and bench: one job every
// `stepMs` from `firstStartMs`, each `durationMs` long, the runners taking
// turns, every `pairEvery`-th job the second pass of a two-pass pair whose
// row follows it, as a run makes them.
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "analysis/job_record.h"

namespace chronell::test {

struct JobPattern {
    std::int64_t firstStartMs = 1'672'531'200'000;  // 2023-01-01 UTC
    std::int64_t stepMs = 126'000;
    std::int64_t durationMs = 240'000;
    int pairEvery = 10;  // 0: no pairs
    int jobsPerFile = 400;
    std::string filePrefix = "night";
    // Names and ids, taken in turn.
    std::vector<std::pair<std::string, std::string>> runners{{"ATTIC-PC", "1c2d3e4f00000a10"},
                                                             {"STUDIO-PC", "8a7b6c5d00001f40"}};
};

// A two-pass row after `second`, as a run makes it from its two jobs.
inline JobRecord pairRowOf(const JobRecord& first, const JobRecord& second)
{
    JobRecord pair;
    pair.twoPass = true;
    pair.name = "2pass";
    pair.input = second.input;
    pair.output = second.output;
    pair.startUtc = first.startUtc;
    pair.startShown = first.startShown;
    pair.endUtc = second.endUtc;
    pair.endShown = second.endShown;
    pair.durationMs = first.durationMs.value_or(0) + second.durationMs.value_or(0);
    pair.jobFile = second.jobFile;
    return pair;
}

// Jobs `first` to `first + count - 1` of the pattern as a run's rows,
// numbered from 1; a run's files are named after `run`.
inline std::vector<JobRecord> generatedJobs(const JobPattern& pattern, std::int64_t first, int count, int run = 0)
{
    constexpr double kMsPerDay = 86'400'000.0;
    constexpr double kDaysTo1970 = 25'569.0;  // from 1899-12-30, as the log counts
    std::vector<JobRecord> records;
    records.reserve(static_cast<std::size_t>(count + (pattern.pairEvery ? count / pattern.pairEvery : 0)));
    for (int i = 0; i < count; ++i) {
        const std::int64_t n = first + i;
        const bool secondPass = pattern.pairEvery && n % pattern.pairEvery == pattern.pairEvery - 1;
        const std::string take = std::to_string(secondPass ? n - 1 : n);
        const auto& runner = pattern.runners[static_cast<std::size_t>(n) % pattern.runners.size()];
        JobRecord job;
        job.name = "Episode " + std::to_string(n) + (secondPass ? " pass 2" : "");
        job.input = "E:\\capture\\episode-" + take + ".avi";
        job.output = "F:\\encoded\\episode-" + take + ".avi";
        job.state = n % 50 == 7 ? 4 : 2;
        const std::int64_t start = pattern.firstStartMs + n * pattern.stepMs;
        job.startUtc = Instant(std::chrono::milliseconds(start));
        job.endUtc = Instant(std::chrono::milliseconds(start + pattern.durationMs));
        job.startShown = kDaysTo1970 + static_cast<double>(start) / kMsPerDay;
        job.endShown = *job.startShown + static_cast<double>(pattern.durationMs) / kMsPerDay;
        job.durationMs = static_cast<std::uint64_t>(pattern.durationMs);
        job.jobFile = pattern.filePrefix + "-" + std::to_string(run) + "-" + std::to_string(i / pattern.jobsPerFile)
                      + ".jobs";
        job.runnerName = runner.first;
        job.runnerId = runner.second;
        job.id = std::to_string(1'000'000'000 + n);
        job.row = static_cast<int>(records.size()) + 1;
        records.push_back(job);
        if (secondPass) {
            JobRecord pair = pairRowOf(records[records.size() - 2], job);
            pair.row = static_cast<int>(records.size()) + 1;
            records.push_back(std::move(pair));
        }
    }
    return records;
}

} // namespace chronell::test
