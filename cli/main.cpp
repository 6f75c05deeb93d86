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
#include "cli/progress_line.h"
#include "cli/report_options.h"
#include "cli/report_target.h"
#include "cli/standard_output.h"
#include "report/row_export.h"
#include "report/summary.h"
#include "report/timeline.h"
#include "report/text_sink.h"
#include "platform/output_mode.h"

namespace {

using namespace chronell;
using namespace chronell::report;

// The error that ended a run, with its place in a file when it has one.
std::string stopText(const ChronellError& error)
{
    std::string text;
    if (error.line() > 0) text = error.path() + ":" + std::to_string(error.line()) + ": ";
    return text + errorBoxText(error.what());
}

// Ends the program after a text printed alone (the help, the version).
int printOnly(const char* text)
{
    StandardOutput output;
    if (output.write(text) && output.close()) return 0;
    std::fprintf(stderr, "chronell-report: write error: %s\n", output.failure().c_str());
    return 1;
}

} // namespace

int main(int argc, char** argv)
{
    std::string usageError;
    const auto options = parseReportOptions(std::vector<std::string>(argv + 1, argv + argc), usageError);
    if (!options) {
        std::fprintf(stderr, "chronell-report: %s\nTry 'chronell-report --help'.\n", usageError.c_str());
        return 2;
    }
    if (options->help) return printOnly(kUsage);
    if (options->version) return printOnly("chronell-report " CHRONELL_VERSION "\n");

    LoadRegionalSettings();
    // CSV rows end in CR LF of their own; other texts take the host's line ends.
    if (options->rows == ExportFormat::Csv) writeBytesAsTheyAre(stdout);
    StandardOutput output;
    TextSink out([&output](std::string_view text) { return output.write(text); });
    const bool printsLog = !options->rows && !options->summary && !options->timeline;
    SummaryBuilder summary;
    ReportTarget::RecordUse summarise;
    if (options->summary) summarise = [&summary](const JobRecord& record) { summary.add(record); };
    std::optional<StreamedRows> rows;
    if (options->rows) rows.emplace(*options->rows, out);
    bool unreadFiles = false;
    std::optional<ProgressLine> progress;
    const auto notRead = [&](const std::string& path, std::error_code reason) {
        unreadFiles = true;
        if (progress) progress->erase();
        std::fprintf(stderr, "chronell-report: cannot read '%s': %s\n", path.c_str(), reason.message().c_str());
    };
    ReportTarget target(printsLog ? &out : nullptr, rows ? &*rows : nullptr, options->timeline, summarise, notRead);
    RunInputs inputs;
    inputs.folder = options->folder;
    inputs.mask = options->mask;
    takeFileAsFolderAndMask(inputs.folder, inputs.mask);
    inputs.formattedTime = options->formatted;
    inputs.clearLog = true;

    std::string failure;
    bool failed = false;
    RunOutcome outcome;
    progress.emplace();
    try {
        outcome = runProcessing(target, regionalSettings(), inputs,
                                [&progress](std::size_t done, std::size_t found) { progress->update(done, found); });
    } catch (const ChronellError& error) {
        failed = true;
        failure = stopText(error);
    }
    progress.reset();

    if (rows) rows->finish(target.rowCount());
    if (options->summary) {
        const Summary summed = summary.finish();
        out.append(options->summary == SummaryFormat::Json ? summaryJson(summed)
                                                           : summaryText(summed, options->formatted, regionalSettings()));
    }
    if (options->timeline) out.append(timelineSvg(buildTimeline(target.records().all()), regionalSettings()));
    out.flush();
    const bool written = output.close();
    if (!written) std::fprintf(stderr, "chronell-report: write error: %s\n", output.failure().c_str());
    if (failed) {
        std::fprintf(stderr, "chronell-report: %s\n", failure.c_str());
        return 1;
    }
    if (outcome.searchError) {
        std::fprintf(stderr, "chronell-report: cannot search '%s': %s\n", outcome.searchedFolder.c_str(),
                     outcome.searchError.message().c_str());
        return 1;
    }
    if (outcome.entries == 0)
        std::fprintf(stderr, "chronell-report: no entry of '%s' matches '%s'.\n", inputs.folder.c_str(),
                     inputs.mask.c_str());
    return written && !unreadFiles ? 0 : 1;
}
