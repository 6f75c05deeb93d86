#include "cli/queue_reading.h"

#include "analysis/mid_write_catch.h"
#include "analysis/record_sink.h"
#include "analysis/run_events.h"
#include "cli/stop_text.h"
#include "report/running_jobs.h"

namespace chronell::report {

QueueReading readQueue(const RunInputs& inputs, const LeftBehindJudge& leftBehind)
{
    QueueReading reading;
    RecordSink records([&](const JobRecord& record) {
        JobRecord judged = record;
        judged.leftBehind = leftBehind(record);
        reading.stand.add(judged);
    });
    MidWriteCatch midWrite(reading.caughtMidWrite);
    RunSinks sinks({&records, &midWrite});
    try {
        const RunOutcome outcome = runProcessing(sinks, inputs);
        reading.searchError = outcome.searchError;
        reading.searchedFolder = outcome.searchedFolder;
    } catch (const ChronellError& error) {
        reading.error = stopText(error);
        reading.caughtMidWrite = true;
    }
    return reading;
}

} // namespace chronell::report
