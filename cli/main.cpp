// chronell-report: the Process command of the window with "Clear log"
// ticked, over an in-memory grid and log, one of them printed to standard
// output.
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "platform/chronell_error.h"
#include "analysis/processing_run.h"
#include "analysis/regional_settings.h"
#include "cli/history_commands.h"
#include "cli/progress_line.h"
#include "cli/report_options.h"
#include "cli/report_target.h"
#include "report/row_export.h"
#include "report/summary.h"
#include "report/timeline.h"
#include "report/text_sink.h"
#include "platform/output_mode.h"

namespace {

using namespace chronell;
using namespace chronell::report;

bool writeOut(std::string_view text)
{
    return std::fwrite(text.data(), 1, text.size(), stdout) == text.size();
}

} // namespace

int main(int argc, char** argv)
{
    std::string usageError;
    const auto options = parseReportOptions(std::vector<std::string>(argv + 1, argv + argc), usageError);
    if (!options) {
        std::fprintf(stderr, "chronell-report: %s\n%s", usageError.c_str(), kUsage);
        return 2;
    }
    if (options->help) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    if (options->version) {
        std::fputs("chronell-report " CHRONELL_VERSION "\n", stdout);
        return 0;
    }

    LoadRegionalSettings();
    // CSV rows end in CR LF of their own; other texts take the host's line ends.
    if (options->rows == ExportFormat::Csv) writeBytesAsTheyAre(stdout);
    TextSink out(writeOut);
    if (options->history.read) return printHistory(*options, out);
    const bool printsLog = !options->rows && !options->summary && !options->timeline;
    SummaryBuilder summary;
    std::vector<JobRecord> seen;  // for the history
    ReportTarget::RecordUse useRecord;
    if (options->summary || options->history.record) {
        useRecord = [&](const JobRecord& record) {
            if (options->summary) summary.add(record);
            if (options->history.record) seen.push_back(record);
        };
    }
    std::optional<StreamedRows> rows;
    if (options->rows) rows.emplace(*options->rows, out);
    ReportTarget target(printsLog ? &out : nullptr, rows ? &*rows : nullptr, options->timeline, useRecord);
    RunInputs inputs;
    inputs.folder = options->folder;
    inputs.mask = options->mask;
    inputs.formattedTime = options->formatted;
    inputs.clearLog = true;

    std::string failure;
    bool failed = false;
    RunOutcome outcome;
    {
        ProgressLine progress;
        try {
            outcome = runProcessing(target, regionalSettings(), inputs,
                                    [&progress](std::size_t done, std::size_t found) { progress.update(done, found); });
        } catch (const ChronellError& error) {
            failed = true;
            failure = error.what();
        }
    }

    if (options->history.record) recordRun(options->history, seen, options->folder);
    if (rows) rows->finish(target.rowCount());
    if (options->summary) {
        const Summary summed = summary.finish();
        out.append(options->summary == SummaryFormat::Json ? summaryJson(summed)
                                                           : summaryText(summed, options->formatted, regionalSettings()));
    }
    if (options->timeline) out.append(timelineSvg(buildTimeline(target.records().all()), regionalSettings()));
    out.flush();
    std::fflush(stdout);
    if (failed) {
        std::fprintf(stderr, "chronell-report: %s\n", errorBoxText(failure).c_str());
        return 1;
    }
    if (outcome.searchError) {
        std::fprintf(stderr, "chronell-report: cannot search '%s': %s\n", options->folder.c_str(),
                     outcome.searchError.message().c_str());
        return 1;
    }
    if (outcome.entries == 0)
        std::fprintf(stderr, "chronell-report: no entry of '%s' matches '%s'.\n", options->folder.c_str(),
                     options->mask.c_str());
    return 0;
}
