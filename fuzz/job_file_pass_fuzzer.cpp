// The pass over one job-list file, bytes in, printed into memory,
// with durations formatted and as seconds. Whatever the bytes: no crash, the
// grid keeps the row-count rules, and the log ends as a pass ends.
#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "tests/support/printed_run.h"
#include "analysis/job_file_pass.h"
#include "analysis/regional_settings.h"
#include "fuzz/fuzz_input.h"
#include "platform/chronell_error.h"

namespace {

using chronell::fuzz::require;

bool startsWith(const std::string& line, std::string_view prefix)
{
    return line.compare(0, prefix.size(), prefix) == 0;
}

// A pass that returns ends with one of these lines; a total ends with an
// empty line after the rule and the total.
void requireEndOfPass(const std::vector<std::string>& log)
{
    require(!log.empty(), "a pass that returns logs something");
    const std::string& last = log.back();
    static constexpr std::array<std::string_view, 4> kEnds = {
        "Can't open file, or file is empty.", "Can't determine number of jobs.", "Enexpected end of file.",
        "Sum of jobs duration is 0."};
    for (const std::string_view end : kEnds)
        if (last == end) return;
    require(last.empty() && log.size() >= 3 && log[log.size() - 3] == "================",
            "the log ends with an end of a pass");
}

// A failed conversion ends the pass right after the line before it: none
// for the count, else the output, state or start-time line of the job.
void requireEndOfFailedPass(const std::vector<std::string>& log)
{
    if (log.empty()) return;
    const std::string& last = log.back();
    require(startsWith(last, "Output: ") || startsWith(last, "State: ") || startsWith(last, "Start_time: "),
            "a failed conversion ends the log after the line before it");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const std::string path = chronell::fuzz::ownFile("pass.jobs");
    static const chronell::RegionalSettings settings = chronell::loadRegionalSettings();
    chronell::fuzz::writeFile(path, chronell::fuzz::bytesOf(data, size));

    for (const bool formatted : {false, true}) {
        chronell::test::PrintedRun target;
        int rowCounter = 0;
        bool failed = false;
        try {
            chronell::test::printPass(target, rowCounter, path, formatted, settings);
        } catch (const chronell::ChronellError&) {
            failed = true;
        }
        const std::vector<std::string> log = target.logLines();
        if (failed) {
            requireEndOfFailedPass(log);
            require(target.rowCount() >= rowCounter + 2, "a failed pass keeps its reserved rows");
        } else {
            requireEndOfPass(log);
            require(target.rowCount() == rowCounter + 2, "a pass leaves the written rows and the spare row");
        }
        // No file reserves more rows than it has lines, nor pairs more jobs.
        require(static_cast<std::size_t>(target.rowCount() - 2) <= 2 * (size + 1), "rows bounded by the file");
    }
    return 0;
}
