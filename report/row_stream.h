#pragma once
// The results grid printed as a run's events make its rows final: a job or
// pair row once its event has been handled, the rest of the grid when the
// run ends or stops. Printed rows are let go of, so that a long export holds
// no more than a row at a time. Listens after the grid printer that fills
// the store.
#include "analysis/run_events.h"
#include "report/grid_store.h"
#include "report/row_export.h"

namespace chronell::report {

class RowStream : public RunSink {
public:
    // `now` and `leftBehind`: as the exporter takes them.
    RowStream(GridStore& store, ExportFormat format, TextSink& sink, std::optional<Instant> now = std::nullopt,
              LeftBehindTest leftBehind = {});

    void job(const JobEvent& event) override;
    void pair(const JobRecord& record) override;
    void runEnded() override;
    void runStopped() override;

private:
    // Prints the rows before `row` not yet printed.
    void printBelow(int row);
    void finish();

    GridStore& store_;
    RowExporter exporter_;
    int printed_ = 0;  // rows below this one have gone out
};

} // namespace chronell::report
