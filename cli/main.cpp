// chronell-report: the Process command of the window with "Clear log"
// ticked, its events printed to standard output as the log, the grid's rows,
// the summary or the timeline.
#include <chrono>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "platform/chronell_error.h"
#include "analysis/processing_run.h"
#include "analysis/regional_settings.h"
#include "cli/history_commands.h"
#include "cli/progress_line.h"
#include "cli/queue_reading.h"
#include "cli/queue_wait.h"
#include "cli/report_options.h"
#include "cli/stop_text.h"
#include "analysis/record_sink.h"
#include "analysis/run_events.h"
#include "cli/standard_output.h"
#include "report/grid_printer.h"
#include "report/log_printer.h"
#include "report/row_stream.h"
#include "report/summary.h"
#include "report/timeline.h"
#include "report/text_sink.h"
#include "platform/folder_change_wait.h"
#include "platform/huge_page_heap.h"
#include "platform/output_mode.h"
#include "platform/paths.h"
#include "platform/process_table.h"
#include "report/running_jobs.h"

namespace {

using namespace chronell;
using namespace chronell::report;

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

Instant wallClock()
{
    return std::chrono::floor<std::chrono::milliseconds>(std::chrono::system_clock::now());
}

void reportSearchError(const std::string& folder, const std::error_code& error)
{
    std::fprintf(stderr, "chronell-report: cannot search '%s': %s\n", folder.c_str(), error.message().c_str());
}

// --wait: until no matching job is waiting or in progress. Nothing when the
// queue has finished (`failed` then says whether a job failed), else the
// exit status.
std::optional<int> waitForTheQueue(const ReportOptions& options, const RunInputs& inputs,
                                   const LeftBehindJudge& leftBehind, bool& failed)
{
    // The folder the run searches: the mask may carry a folder part of its own.
    const std::string searchPath = joinFolder(inputs.folder, inputs.mask);
    FolderChangeWait changes(std::string(hostFolderPart(searchPath)));
    WaitOptions waitOptions;
    if (options.waitLimit) waitOptions.limit = *options.waitLimit;
    ProgressLine progress;
    if (progress.enabled()) waitOptions.redraw = std::chrono::seconds(1);
    const WaitClocks clocks{wallClock, [] { return std::chrono::steady_clock::now(); }};
    QueueReading last;
    const WaitEnd end = waitForQueue(
        [&](Instant) { return readQueue(inputs, leftBehind); }, changes, clocks, waitOptions,
        [&progress](const QueueStand& stand, Instant now) { progress.show(standText(stand, now)); }, last);
    switch (end) {
    case WaitEnd::Finished:
        failed = last.stand.failed > 0;
        return std::nullopt;
    case WaitEnd::TimedOut:
        return kExitWaitTimedOut;
    case WaitEnd::Failed:
        break;
    }
    if (last.searchError)
        reportSearchError(last.searchedFolder, last.searchError);
    else if (last.error)
        std::fprintf(stderr, "chronell-report: %s\n", last.error->c_str());
    else
        std::fprintf(stderr, "chronell-report: cannot watch '%s': %s\n", options.folder.c_str(),
                     changes.error().message().c_str());
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
    // A timeline or a recording holds every record of the run: tens of
    // megabytes for a large queue, taken in far quicker on huge pages.
    if (options->timeline || options->history.record) useHugePageHeap(argv);

    const RegionalSettings settings = loadRegionalSettings();
    RunInputs inputs;
    inputs.folder = options->folder;
    inputs.mask = options->mask;
    takeFileAsFolderAndMask(inputs.folder, inputs.mask);
    inputs.formattedTime = options->formatted;
    inputs.clearLog = true;
    const SystemProcessTable processes;
    const LeftBehindJudge leftBehind(processes);
    bool jobFailed = false;
    if (options->wait) {
        if (const auto status = waitForTheQueue(*options, inputs, leftBehind, jobFailed)) return *status;
    }
    // The run's time: running jobs' times so far are taken as of it.
    const Instant runTime = wallClock();
    // Records as the summary takes them: judged left behind or not.
    const auto judged = [&leftBehind](const JobRecord& record) {
        JobRecord copy = record;
        copy.leftBehind = leftBehind(record);
        return copy;
    };
    // CSV rows end in CR LF of their own; other texts take the host's line ends.
    if (options->rows == ExportFormat::Csv) writeBytesAsTheyAre(stdout);
    StandardOutput output;
    TextSink out([&output](std::string_view text) { return output.write(text); });
    if (options->history.read) {
        const int status = printHistory(*options, settings, out);
        out.flush();
        if (output.close()) return status;
        std::fprintf(stderr, "chronell-report: write error: %s\n", output.failure().c_str());
        return 1;
    }

    // The printers the chosen output needs, and nothing else.
    std::optional<ProgressLine> progress;
    UnreadFiles unreadFiles(progress);
    std::optional<LogPrinter> log;
    GridStore grid;
    std::optional<GridPrinter> gridPrinter;
    std::optional<RowStream> rows;
    SummaryBuilder summary(runTime);
    std::vector<JobRecord> records;
    std::optional<RecordSink> recordTaker;
    std::vector<RunSink*> sinks{&unreadFiles};
    if (options->rows) {
        // The row stream hands each row's record to the exporter: the grid keeps none.
        gridPrinter.emplace(grid, settings, options->formatted, false);
        rows.emplace(grid, *options->rows, out, runTime, [&leftBehind](const JobRecord& record) { return leftBehind(record); });
        sinks.insert(sinks.end(), {&*gridPrinter, &*rows});
    } else if (options->summary) {
        recordTaker.emplace([&](const JobRecord& record) { summary.add(judged(record)); });
        sinks.push_back(&*recordTaker);
    } else if (options->timeline) {
        recordTaker.emplace([&](const JobRecord& record) { keepForTimeline(records, record, leftBehind(record)); });
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
    // The run's records for the history.
    std::vector<JobRecord> seen;
    std::optional<RecordSink> recorder;
    if (options->history.record) {
        recorder.emplace([&seen](const JobRecord& record) { seen.push_back(record); });
        sinks.push_back(&*recorder);
    }
    RunSinks sink(std::move(sinks));

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
    if (options->history.record) recordRun(options->history, seen, inputs.folder);

    if (options->summary) {
        const Summary summed = summary.finish();
        out.append(options->summary == SummaryFormat::Json ? summaryJson(summed)
                                                           : summaryText(summed, options->formatted, settings));
    }
    if (options->timeline) out.append(timelineSvg(buildTimeline(records, wallClock()), settings));
    out.flush();
    const bool written = output.close();
    if (!written) std::fprintf(stderr, "chronell-report: write error: %s\n", output.failure().c_str());
    if (failed) {
        std::fprintf(stderr, "chronell-report: %s\n", failure.c_str());
        return 1;
    }
    if (outcome.searchError) {
        reportSearchError(outcome.searchedFolder, outcome.searchError);
        return 1;
    }
    if (outcome.entries == 0)
        std::fprintf(stderr, "chronell-report: no entry of '%s' matches '%s'.\n", inputs.folder.c_str(),
                     inputs.mask.c_str());
    if (!written || unreadFiles.any()) return 1;
    return jobFailed ? kExitJobFailed : 0;
}
