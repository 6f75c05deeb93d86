// The history at scale: 1 000 000 jobs recorded as 25 runs of 40 000 jobs
// (100 files of 400, every tenth job the second of a two-pass pair), two
// runners, one job every 126 s over four years. Prints the time to record
// each run (the last one into a history of 960 000 jobs), to record it
// again, the file's size, and the times to read a year and summarise it or
// sum its hours per day per runner (the History window's chart).
//
//   history_bench FOLDER          FOLDER/history.sqlite made anew, then read
//   history_bench FOLDER --read   the one made before only read
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <string>
#include <vector>

#include "history/history_store.h"
#include "report/period_hours.h"
#include "report/summary.h"
#include "tests/support/generated_history.h"

namespace {

using namespace chronell;
using Clock = std::chrono::steady_clock;

constexpr int kRuns = 25;
constexpr int kJobsPerRun = 40'000;
const std::int64_t kFirstStartMs = test::JobPattern{}.firstStartMs;

double millisecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

Instant at(std::int64_t milliseconds)
{
    return Instant(std::chrono::milliseconds(milliseconds));
}

std::vector<JobRecord> run(int index)
{
    return test::generatedJobs(test::JobPattern{}, static_cast<std::int64_t>(index) * kJobsPerRun, kJobsPerRun, index);
}

double cpuMilliseconds()
{
    return 1000.0 * static_cast<double>(std::clock()) / CLOCKS_PER_SEC;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}


// Records the runs, then the last one again; prints the times and the file's size.
bool recordRuns(history::HistoryStore& store)
{
    std::vector<double> recordMs;
    std::vector<double> recordCpuMs;
    std::vector<JobRecord> last;
    for (int index = 0; index < kRuns; ++index) {
        last = run(index);
        const auto start = Clock::now();
        const double cpu = cpuMilliseconds();
        const history::RecordOutcome outcome = store.record(last, "E:\\queues", at(kFirstStartMs));
        recordMs.push_back(millisecondsSince(start));
        recordCpuMs.push_back(cpuMilliseconds() - cpu);
        if (!outcome.recorded) {
            for (const std::string& notice : outcome.notices) std::fprintf(stderr, "%s\n", notice.c_str());
            return false;
        }
    }
    const auto again = Clock::now();
    store.record(last, "E:\\queues", at(kFirstStartMs + 1));
    const double againMs = millisecondsSince(again);

    std::printf("history: %d runs of %d jobs recorded, median %.0f ms a run (CPU %.0f ms), the last (into 960 000 "
                "jobs) %.0f ms (CPU %.0f ms)\n",
                kRuns, kJobsPerRun, median(recordMs), median(recordCpuMs), recordMs.back(), recordCpuMs.back());
    std::printf("history: the last run recorded again (all seen before) %.0f ms\n", againMs);
    std::printf("history: file %.0f MB for 1 000 000 jobs and 100 000 pairs\n",
                static_cast<double>(std::filesystem::file_size(store.path())) / 1e6);
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    const bool readOnly = argc == 3 && std::string(argv[2]) == "--read";
    if (argc != 2 && !readOnly) {
        std::fputs("usage: history_bench FOLDER [--read]\n", stderr);
        return 2;
    }
    const std::string path = std::string(argv[1]) + "/history.sqlite";
    history::HistoryStore store(path);
    if (!readOnly) {
        for (const char* suffix : {"", "-wal", "-shm"}) std::filesystem::remove(path + suffix);
        if (!recordRuns(store)) return 1;
    }

    // The last year of the four: about 250 000 jobs.
    const history::HistoryRange year{at(kFirstStartMs + 3 * 365LL * 86'400'000), {}};
    std::vector<double> summaryMs;
    std::vector<double> chartMs;
    std::vector<double> summaryCpuMs;
    std::vector<double> chartCpuMs;
    std::size_t yearJobs = 0;
    for (int i = 0; i < 5; ++i) {
        yearJobs = 0;
        auto start = Clock::now();
        double cpu = cpuMilliseconds();
        report::SummaryBuilder builder;
        store.forEachJobSummed(year, [&builder, &yearJobs](const JobRecord& record) {
            builder.add(record);
            ++yearJobs;
        });
        const report::Summary summary = builder.finish();
        summaryMs.push_back(millisecondsSince(start));
        summaryCpuMs.push_back(cpuMilliseconds() - cpu);
        start = Clock::now();
        cpu = cpuMilliseconds();
        report::PeriodHoursBuilder chart(report::Period::Day);
        store.forEachTimes(year, [&chart](const JobRecord& record) { chart.add(record); });
        const auto hours = chart.finish();
        chartMs.push_back(millisecondsSince(start));
        chartCpuMs.push_back(cpuMilliseconds() - cpu);
        if (summary.run.jobs == 0 || hours.empty()) return 1;
    }

    std::printf("history: a year (%zu jobs) read and summarised %.0f ms (CPU %.0f ms), its hours per day per runner "
                "%.0f ms (CPU %.0f ms); medians of 5\n",
                yearJobs, median(summaryMs), median(summaryCpuMs), median(chartMs), median(chartCpuMs));
    return 0;
}
