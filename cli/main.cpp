// chronell-report: the Process command of the window with "Clear log"
// ticked, over an in-memory grid and log, one of them printed to standard
// output.
#include <chrono>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "platform/chronell_error.h"
#include "analysis/processing_run.h"
#include "analysis/regional_settings.h"
#include "cli/progress_line.h"
#include "cli/queue_reading.h"
#include "cli/queue_wait.h"
#include "cli/report_options.h"
#include "cli/report_target.h"
#include "report/row_export.h"
#include "report/summary.h"
#include "report/timeline.h"
#include "report/text_sink.h"
#include "platform/folder_change_wait.h"
#include "platform/output_mode.h"
#include "platform/paths.h"
#include "platform/process_table.h"

namespace {

using namespace chronell;
using namespace chronell::report;

bool writeOut(std::string_view text)
{
    return std::fwrite(text.data(), 1, text.size(), stdout) == text.size();
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
    const WaitEnd end = waitForQueue([&](Instant) { return readQueue(inputs, leftBehind); }, changes, clocks,
                                     waitOptions,
                                     [&progress](const QueueStand& stand, Instant now) { progress.show(standText(stand, now)); },
                                     last);
    switch (end) {
    case WaitEnd::Finished:
        failed = last.stand.failed;
        return std::nullopt;
    case WaitEnd::TimedOut:
        return kExitWaitTimedOut;
    case WaitEnd::Failed:
        break;
    }
    if (last.searchError)
        reportSearchError(options.folder, last.searchError);
    else if (last.error)
        std::fprintf(stderr, "chronell-report: %s\n", errorBoxText(*last.error).c_str());
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
    RunInputs inputs;
    inputs.folder = options->folder;
    inputs.mask = options->mask;
    inputs.formattedTime = options->formatted;
    inputs.clearLog = true;
    const SystemProcessTable processes;
    const LeftBehindJudge leftBehind(processes);
    bool jobFailed = false;
    if (options->wait) {
        if (const auto status = waitForTheQueue(*options, inputs, leftBehind, jobFailed)) return *status;
    }

    // CSV rows end in CR LF of their own; other texts take the host's line ends.
    if (options->rows == ExportFormat::Csv) writeBytesAsTheyAre(stdout);
    TextSink out(writeOut);
    const bool printsLog = !options->rows && !options->summary && !options->timeline;
    // The run's time: running jobs' times so far are taken as of it.
    const Instant runTime = wallClock();
    SummaryBuilder summary(runTime);
    ReportTarget::RecordUse summarise;
    if (options->summary) summarise = [&summary](const JobRecord& record) { summary.add(record); };
    std::optional<StreamedRows> rows;
    if (options->rows) rows.emplace(*options->rows, out, runTime);
    ReportTarget target(printsLog ? &out : nullptr, rows ? &*rows : nullptr, options->timeline, leftBehind,
                        summarise);

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
        reportSearchError(options->folder, outcome.searchError);
        return 1;
    }
    if (outcome.entries == 0)
        std::fprintf(stderr, "chronell-report: no entry of '%s' matches '%s'.\n", options->folder.c_str(),
                     options->mask.c_str());
    return jobFailed ? kExitJobFailed : 0;
}
