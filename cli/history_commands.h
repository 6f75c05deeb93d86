#pragma once
// What chronell-report does with the history: records a run's records, and
// prints the history with the printers of a run.
#include <string>
#include <vector>

#include "analysis/job_record.h"
#include "cli/report_options.h"
#include "report/text_sink.h"

namespace chronell {
struct RegionalSettings;
}

namespace chronell::report {

// Records the run's records (row order) over `folder` at this moment; what
// went wrong with the history goes to standard error and leaves the run as
// it was.
void recordRun(const HistoryOptions& options, const std::vector<JobRecord>& records, const std::string& folder);

// Prints into `out` the part of the history the options ask for; the exit
// status (1 when the history cannot be read).
int printHistory(const ReportOptions& options, const RegionalSettings& settings, TextSink& out);

} // namespace chronell::report
