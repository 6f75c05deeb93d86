#pragma once
// The status bar's text after a run: what it found (jobs, pairs, files and
// their total time, with the filter's count when one is set), or what went
// wrong when it found nothing or an error stopped it (in which file and at
// which of its jobs), and which files could not be read.
#include <QString>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

#include "analysis/run_events.h"

namespace chronell {

struct RunFacts {
    std::string folder;  // as typed (bytes)
    std::string mask;
    std::size_t filesFound = 0;
    std::size_t filesDone = 0;  // before an error stopped the run
    std::error_code searchError;  // the folder could not be searched
    int jobs = 0;
    int pairs = 0;
    std::uint64_t totalMs = 0;  // of the jobs, pairs not counted again
    std::optional<int> shownJobs;  // the jobs the filter keeps, when one is set
    std::optional<QString> stoppedBy;  // the error that ended the run
    std::string stoppedIn;  // the file it was reading then (bytes), when known
    int stoppedAtJob = 0;   // the job of that file it was reading (from 1), 0 before the first
    std::vector<std::string> unreadFiles;  // files that could not be opened
};

// Fills the facts of a run from its events: the file being read and its
// job, and the files that could not be opened.
class RunFactsSink : public RunSink {
public:
    explicit RunFactsSink(RunFacts& facts) : facts_(facts) {}
    void fileBegun(std::string_view name) override;
    void job(const JobEvent& event) override;
    void fileEnded(const FileEndEvent& event) override;

private:
    RunFacts& facts_;
};

QString runStatusText(const RunFacts& facts);

// Hours (at least two digits), minutes and seconds: "05:42:10", "123:00:09".
QString totalTimeText(std::uint64_t milliseconds);

} // namespace chronell
