#include "cli/queue_reading.h"

#include "analysis/regional_settings.h"
#include "cli/report_target.h"
#include "platform/chronell_error.h"

namespace chronell::report {

QueueReading readQueue(const RunInputs& inputs, const LeftBehindJudge& leftBehind)
{
    QueueReading reading;
    ReportTarget target(nullptr, nullptr, false, leftBehind,
                        [&reading](const JobRecord& record) { reading.stand.add(record); });
    try {
        reading.searchError = runProcessing(target, regionalSettings(), inputs).searchError;
    } catch (const ChronellError& error) {
        reading.error = error.what();
        reading.caughtMidWrite = true;
    }
    return reading;
}

} // namespace chronell::report
