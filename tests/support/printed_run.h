#pragma once
// A run's events printed into memory as the window prints them: the log's
// lines and the grid's cells and records in a store.
#include <string>
#include <string_view>
#include <vector>

#include "analysis/job_file_pass.h"
#include "analysis/processing_run.h"
#include "analysis/regional_settings.h"
#include "analysis/run_events.h"
#include "report/grid_printer.h"
#include "report/grid_store.h"
#include "report/log_printer.h"

namespace chronell::test {

struct PrintedRun {
    using Row = report::GridStore::Row;

    std::vector<std::string> log;
    report::GridStore grid;

    const std::vector<std::string>& logLines() const { return log; }
    std::string logText() const
    {
        std::string text;
        for (const auto& line : log) text.append(line).push_back('\n');
        return text;
    }
    int rowCount() const { return grid.rowCount(); }
    const Row& row(int index) const { return grid.row(index); }
    const RecordList& records() const { return grid.records(); }
};

// Hands `call` a sink that prints into `printed`.
template <typename Call>
void printInto(PrintedRun& printed, const RegionalSettings& settings, bool formatted, const Call& call)
{
    report::LogPrinter log([&printed](std::string_view line) { printed.log.emplace_back(line); }, settings, formatted);
    report::GridPrinter grid(printed.grid, settings, formatted, true);
    RunSinks sinks({&log, &grid});
    call(sinks);
}

// One pass over a file, its rows after those of the passes before it.
inline void printPass(PrintedRun& printed, int& rowCounter, const std::string& path, bool formatted,
                      const RegionalSettings& settings)
{
    std::string buffer;
    printInto(printed, settings, formatted, [&](RunSink& sink) { processJobFile(sink, rowCounter, path, buffer); });
}

// A run over a folder; the options of `inputs` choose the printing.
inline RunOutcome printRun(PrintedRun& printed, const RunInputs& inputs, const RegionalSettings& settings)
{
    RunOutcome outcome;
    printInto(printed, settings, inputs.formattedTime, [&](RunSink& sink) { outcome = runProcessing(sink, inputs); });
    return outcome;
}

} // namespace chronell::test
