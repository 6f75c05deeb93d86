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
#include "cli/standard_output.h"
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

// The error that ended a run, with its place in a file when it has one.
std::string stopText(const ChronellError& error)
{
    std::string text;
    if (error.line() > 0) text = error.path() + ":" + std::to_string(error.line()) + ": ";
    return text + errorBoxText(error.what());
}

// Names each file of the run that could not be read, with the system's reason.
class UnreadFiles : public RunSink {
public:
    explicit UnreadFiles(std::optional<ProgressLine>& progress) : progress_(progress) {}

    void fileEnded(const FileEndEvent& event) override
    {
        if (!event.unread) return;
        any_ = true;
        if (progress_) progress_->erase();
        std::fprintf(stderr, "chronell-report: cannot read '%.*s': %s\n", static_cast<int>(event.path.size()),
                     event.path.data(), event.unread.message().c_str());
    }
    bool any() const { return any_; }

private:
    std::optional<ProgressLine>& progress_;
    bool any_ = false;
};

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

    const RegionalSettings settings = loadRegionalSettings();
    // CSV rows end in CR LF of their own; other texts take the host's line ends.
    if (options->rows == ExportFormat::Csv) writeBytesAsTheyAre(stdout);
    StandardOutput output;
    TextSink out([&output](std::string_view text) { return output.write(text); });

    // The printers the chosen output needs, and nothing else.
    std::optional<ProgressLine> progress;
    UnreadFiles unreadFiles(progress);
    std::optional<LogPrinter> log;
    GridStore grid;
    std::optional<GridPrinter> gridPrinter;
    std::optional<RowStream> rows;
    SummaryBuilder summary;
    std::vector<JobRecord> records;
    std::optional<RecordSink> recordTaker;
    std::vector<RunSink*> sinks{&unreadFiles};
    if (options->rows) {
        gridPrinter.emplace(grid, settings, options->formatted, *options->rows == ExportFormat::Json);
        rows.emplace(grid, *options->rows, out);
        sinks.insert(sinks.end(), {&*gridPrinter, &*rows});
    } else if (options->summary) {
        recordTaker.emplace([&summary](const JobRecord& record) { summary.add(record); });
        sinks.push_back(&*recordTaker);
    } else if (options->timeline) {
        recordTaker.emplace([&records](const JobRecord& record) { records.push_back(record); });
        sinks.push_back(&*recordTaker);
    } else {
        log.emplace(
            [&out](std::string_view line) {
                out.append(line);
                out.push('\n');
            },
            settings, options->formatted);
        sinks.push_back(&*log);
    }
    RunSinks sink(std::move(sinks));
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
        outcome = runProcessing(sink, inputs,
                                [&progress](std::size_t done, std::size_t found) { progress->update(done, found); });
    } catch (const ChronellError& error) {
        failed = true;
        failure = stopText(error);
    }
    progress.reset();

    if (options->summary) {
        const Summary summed = summary.finish();
        out.append(options->summary == SummaryFormat::Json ? summaryJson(summed)
                                                           : summaryText(summed, options->formatted, settings));
    }
    if (options->timeline) out.append(timelineSvg(buildTimeline(records), settings));
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
    return written && !unreadFiles.any() ? 0 : 1;
}
