#include "cli/history_commands.h"

#include <chrono>
#include <cstdio>

#include "analysis/regional_settings.h"
#include "history/history_store.h"
#include "platform/chronell_error.h"
#include "platform/executable_path.h"
#include "report/local_instant.h"
#include "report/record_grid_rows.h"
#include "report/summary.h"
#include "report/timeline.h"
#include "settings/settings_place.h"

namespace chronell::report {

namespace {

history::HistoryStore storeOf(const HistoryOptions& options)
{
    return history::HistoryStore(options.store.empty() ? historyPlace(executablePath(), hostSettingsQueries())
                                                       : options.store);
}

Instant localMidnight(std::chrono::sys_days day)
{
    return instantOfLocalMilliseconds(
        std::chrono::duration_cast<std::chrono::milliseconds>(day.time_since_epoch()).count());
}

// From the local midnight of --since to the one after --until.
history::HistoryRange rangeOf(const HistoryOptions& options)
{
    history::HistoryRange range;
    if (options.since) range.since = localMidnight(*options.since);
    if (options.until) range.until = localMidnight(*options.until + std::chrono::days(1));
    return range;
}

} // namespace

void recordRun(const HistoryOptions& options, const std::vector<JobRecord>& records, const std::string& folder)
{
    const auto now = std::chrono::floor<std::chrono::milliseconds>(std::chrono::system_clock::now());
    for (const std::string& notice : storeOf(options).record(records, folder, now).notices)
        std::fprintf(stderr, "chronell-report: %s\n", notice.c_str());
}

int printHistory(const ReportOptions& options, const RegionalSettings& settings, TextSink& out)
{
    const history::HistoryStore store = storeOf(options.history);
    const history::HistoryRange range = rangeOf(options.history);
    try {
        // The summary and the hours take the records one at a time; the
        // grid and the timeline keep them.
        if (options.history.by) {
            PeriodHoursBuilder hours(*options.history.by);
            store.forEachTimes(range, [&hours](const JobRecord& record) { hours.add(record); });
            writePeriodHours(hours.finish(), options.rows.value_or(ExportFormat::Tsv), out);
        } else if (options.summary) {
            SummaryBuilder summary;
            store.forEachJobSummed(range, [&summary](const JobRecord& record) { summary.add(record); });
            const Summary summed = summary.finish();
            out.append(*options.summary == SummaryFormat::Json
                           ? summaryJson(summed)
                           : summaryText(summed, options.formatted, settings));
        } else {
            const std::vector<JobRecord> records = store.read(range);
            if (options.rows)
                writeRows(*options.rows, RecordGridRows(records, options.formatted, settings), out);
            else
                out.append(timelineSvg(buildTimeline(records), settings));
        }
    } catch (const ChronellError& error) {
        std::fprintf(stderr, "chronell-report: %s\n", error.what());
        return 1;
    }
    return 0;
}

} // namespace chronell::report
