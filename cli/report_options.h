#pragma once
// The command line of chronell-report.
#include <chrono>
#include <optional>
#include <string>
#include <vector>

#include "cli/history_options.h"
#include "report/row_export.h"

namespace chronell::report {

enum class SummaryFormat { Text, Json };

struct ReportOptions {
    bool formatted = false;
    std::optional<ExportFormat> rows;  // the grid in this format instead of the log
    std::optional<SummaryFormat> summary;  // the summary instead of the log
    bool timeline = false;                 // the SVG timeline instead of the log
    bool wait = false;  // first wait until no matching job is waiting or in progress
    std::optional<std::chrono::seconds> waitLimit;  // giving up after this long
    std::string folder;
    std::string mask = "*.jobs";
    bool help = false;
    bool version = false;
    HistoryOptions history;
};

// Exit statuses beside 0 (done), 1 (an error) and 2 (a usage error).
inline constexpr int kExitJobFailed = 4;  // --wait: a job ended in error, aborted or left behind
inline constexpr int kExitWaitTimedOut = 3;

extern const char* const kUsage;

// The options, or nothing with `error` set for a usage error.
std::optional<ReportOptions> parseReportOptions(const std::vector<std::string>& arguments,
                                                std::string& error);

} // namespace chronell::report
