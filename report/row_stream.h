#pragma once
// The results grid printed as a run's events make its rows final: a job or
// pair row once its event has been handled, the rest of the grid when the
// run ends or stops. Printed rows are let go of, so that a long export holds
// no more than a row at a time. Listens after the grid printer that fills
// the store. The record of a row is the one its event hands over, so that
// the store need not keep records.
#include "analysis/run_events.h"
#include "report/grid_store.h"
#include "report/row_export.h"

namespace chronell::report {

class RowStream : public RunSink, private GridRows {
public:
    // `now` and `leftBehind`: as the exporter takes them.
    RowStream(GridStore& store, ExportFormat format, TextSink& sink, std::optional<Instant> now = std::nullopt,
              LeftBehindTest leftBehind = {});

    void job(const JobEvent& event) override;
    void pair(const JobRecord& record) override;
    void runEnded() override;
    void runStopped() override;

private:
    // The rows as the exporter reads them: the store's cells, and the record
    // of the job or pair being handled or else the store's.
    int rowCount() const override { return store_.rowCount(); }
    std::string_view cell(int row, int column) const override { return store_.cell(row, column); }
    Cells cells(int row) const override { return store_.cells(row); }
    const JobRecord* record(int row) const override;

    // Prints the rows before `row` not yet printed.
    void printBelow(int row);
    // The same, up to and with the row of `record`.
    void printTo(const JobRecord& record);
    void finish();

    GridStore& store_;
    RowExporter exporter_;
    int printed_ = 0;  // rows below this one have gone out
    const JobRecord* handled_ = nullptr;  // while its row is printed
};

} // namespace chronell::report
