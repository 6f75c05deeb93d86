// chronell-report: the Process command of the window with "Clear log"
// ticked, its events printed to standard output as the log, the grid's rows,
// the summary or the timeline.
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "platform/chronell_error.h"
#include "analysis/processing_run.h"
#include "analysis/regional_settings.h"
#include "cli/progress_line.h"
#include "cli/report_options.h"
#include "analysis/record_sink.h"
#include "analysis/run_events.h"
#include "report/grid_printer.h"
#include "report/log_printer.h"
#include "report/row_stream.h"
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

    const RegionalSettings settings = loadRegionalSettings();
    // CSV rows end in CR LF of their own; other texts take the host's line ends.
    if (options->rows == ExportFormat::Csv) writeBytesAsTheyAre(stdout);
    TextSink out(writeOut);

    // The printers the chosen output needs, and nothing else.
    std::optional<LogPrinter> log;
    GridStore grid;
    std::optional<GridPrinter> gridPrinter;
    std::optional<RowStream> rows;
    SummaryBuilder summary;
    std::vector<JobRecord> records;
    std::optional<RecordSink> recordTaker;
    std::vector<RunSink*> sinks;
    if (options->rows) {
        gridPrinter.emplace(grid, settings, options->formatted, *options->rows == ExportFormat::Json);
        rows.emplace(grid, *options->rows, out);
        sinks = {&*gridPrinter, &*rows};
    } else if (options->summary) {
        recordTaker.emplace([&summary](const JobRecord& record) { summary.add(record); });
        sinks = {&*recordTaker};
    } else if (options->timeline) {
        recordTaker.emplace([&records](const JobRecord& record) { records.push_back(record); });
        sinks = {&*recordTaker};
    } else {
        log.emplace(
            [&out](std::string_view line) {
                out.append(line);
                out.push('\n');
            },
            settings, options->formatted);
        sinks = {&*log};
    }
    RunSinks sink(std::move(sinks));
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
            outcome = runProcessing(sink, inputs,
                                    [&progress](std::size_t done, std::size_t found) { progress.update(done, found); });
        } catch (const ChronellError& error) {
            failed = true;
            failure = error.what();
        }
    }

    if (options->summary) {
        const Summary summed = summary.finish();
        out.append(options->summary == SummaryFormat::Json ? summaryJson(summed)
                                                           : summaryText(summed, options->formatted, settings));
    }
    if (options->timeline) out.append(timelineSvg(buildTimeline(records), settings));
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
