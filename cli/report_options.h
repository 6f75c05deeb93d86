#pragma once
// The command line of chronell-report.
#include <optional>
#include <string>
#include <vector>

namespace chronell::report {

enum class RowFormat { None, Tsv, Csv, Json };

struct ReportOptions {
    bool formatted = false;
    RowFormat rows = RowFormat::None;
    std::string folder;
    std::string mask = "*.jobs";
    bool help = false;
    bool version = false;
};

extern const char* const kUsage;

// The options, or nothing with `error` set for a usage error.
std::optional<ReportOptions> parseReportOptions(const std::vector<std::string>& arguments,
                                                std::string& error);

} // namespace chronell::report
