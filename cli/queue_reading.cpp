#include "cli/queue_reading.h"

#include "analysis/regional_settings.h"
#include "cli/report_target.h"
#include "cli/stop_text.h"

namespace chronell::report {

QueueReading readQueue(const RunInputs& inputs, const LeftBehindJudge& leftBehind)
{
    QueueReading reading;
    // A file that cannot be read may be held by VirtualDub while it writes it.
    ReportTarget target(
        nullptr, nullptr, false, leftBehind, [&reading](const JobRecord& record) { reading.stand.add(record); },
        [&reading](const std::string&, std::error_code) { reading.caughtMidWrite = true; });
    try {
        const RunOutcome outcome = runProcessing(target, regionalSettings(), inputs);
        reading.searchError = outcome.searchError;
        reading.searchedFolder = outcome.searchedFolder;
    } catch (const ChronellError& error) {
        reading.error = stopText(error);
        reading.caughtMidWrite = true;
    }
    return reading;
}

} // namespace chronell::report
