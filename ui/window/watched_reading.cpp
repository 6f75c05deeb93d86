#include "ui/window/watched_reading.h"

#include "analysis/mid_write_catch.h"
#include "analysis/run_events.h"
#include "platform/chronell_error.h"
#include "report/grid_printer.h"
#include "report/log_printer.h"

namespace chronell {

WatchedReading readWatchedFolder(const RunInputs& inputs, const RegionalSettings& settings,
                                 const report::LeftBehindTest& leftBehind)
{
    WatchedReading reading;
    report::LogPrinter log([&reading](std::string_view line) { reading.logLines.emplace_back(line); }, settings,
                           inputs.formattedTime);
    report::GridPrinter grid(reading.grid, settings, inputs.formattedTime, true, leftBehind);
    MidWriteCatch midWrite(reading.caughtMidWrite);
    RunSinks sinks({&log, &grid, &midWrite});
    try {
        reading.outcome = runProcessing(sinks, inputs, [&reading](std::size_t done, std::size_t found) {
            reading.filesDone = done;
            reading.outcome.entries = found;
        });
        reading.filesDone = reading.outcome.entries;
    } catch (const ChronellError& error) {
        reading.error = errorBoxText(error.what());
        reading.caughtMidWrite = true;
    }
    return reading;
}

} // namespace chronell
