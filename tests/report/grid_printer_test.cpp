// The grid printer's row rules, the store under it and the rows streamed
// out of it, driven by events made here.
#include "report/grid_printer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "analysis/regional_settings.h"
#include "report/grid_store.h"
#include "report/row_stream.h"
#include "report/text_sink.h"

namespace chronell::report {
namespace {

JobRecord jobAt(int row, std::string name, std::uint64_t milliseconds = 0)
{
    JobRecord record;
    record.row = row;
    record.name = std::move(name);
    record.input = "C:\\in\\" + record.name + ".avi";
    record.output = "D:\\out\\" + record.name + ".avi";
    record.state = 2;
    if (milliseconds > 0) record.durationMs = milliseconds;
    record.jobFile = "f.jobs";
    return record;
}

// One step of a run: an event, then the row count it leaves.
struct Step {
    const char* event;
    int rowsAfter;
};

void hand(GridPrinter& printer, const std::string& event)
{
    if (event == "begun") printer.runBegun();
    if (event == "count 3") printer.jobsCounted(3, 3);
    if (event == "count 2 of 1 line") printer.jobsCounted(2, 1);
    if (event.starts_with("job ")) {
        const JobRecord record = jobAt(std::stoi(event.substr(4)), "j");
        printer.job({record, JobRead::Whole, 0, 0});
    }
    if (event == "cut job") {
        const JobRecord record = jobAt(0, "cut");
        printer.job({record, JobRead::Output, 0, 0});
    }
    if (event.starts_with("pair ")) {
        JobRecord record = jobAt(std::stoi(event.substr(5)), "2pass");
        record.twoPass = true;
        printer.pair(record);
    }
    const auto ended = [&printer](FileEnd how, int wholeJobs) {
        FileEndEvent end;
        end.how = how;
        end.wholeJobs = wholeJobs;
        printer.fileEnded(end);
    };
    if (event == "done") ended(FileEnd::Done, 3);
    if (event == "ended after 1") ended(FileEnd::UnexpectedEnd, 1);
    if (event == "no count") ended(FileEnd::NoJobCount, 0);
    if (event == "run ended") printer.runEnded();
    if (event == "run stopped") printer.runStopped();
}

TEST(GridPrinter, RowRules)
{
    const struct {
        const char* what;
        std::vector<Step> steps;
    } runs[] = {
        {"a file done, a pair, the spare row dropped",
         {{"begun", 2}, {"count 3", 5}, {"job 1", 5}, {"job 2", 5}, {"pair 3", 6}, {"job 4", 6}, {"done", 6},
          {"run ended", 5}}},
        {"a file ending early gives back its jobs' unused rows",
         {{"begun", 2}, {"count 3", 5}, {"job 1", 5}, {"cut job", 5}, {"ended after 1", 3}, {"run ended", 2}}},
        {"no count and no rows: header and one empty row stay",
         {{"begun", 2}, {"no count", 2}, {"run ended", 2}}},
        {"a run stopped keeps the reserved rows and the spare row",
         {{"begun", 2}, {"count 3", 5}, {"job 1", 5}, {"run stopped", 5}}},
        {"no file reserves more rows than its lines",
         {{"begun", 2}, {"count 2 of 1 line", 3}, {"run ended", 2}}},
    };
    const RegionalSettings settings;
    for (const auto& run : runs) {
        GridStore store;
        store.setRowCount(40);  // what a run before left
        GridPrinter printer(store, settings, false, true);
        for (const Step& step : run.steps) {
            hand(printer, step.event);
            EXPECT_EQ(store.rowCount(), step.rowsAfter) << run.what << ": " << step.event;
        }
        for (int row = 1; row < store.rowCount(); ++row) {
            const JobRecord* record = store.record(row);
            EXPECT_EQ(store.cell(row, ColName).empty(), record == nullptr) << run.what << ": row " << row;
        }
    }
}

TEST(GridPrinter, CellsOfAJobAndAPair)
{
    const RegionalSettings settings;
    GridStore store;
    GridPrinter printer(store, settings, true, false);
    printer.runBegun();
    printer.jobsCounted(2, 2);
    JobRecord timed = jobAt(1, "Clip", 1500);
    timed.startShown = 39522.5;
    timed.endShown = 39522.75;
    printer.job({timed, JobRead::Whole, 39522.5, 39522.75});
    const JobRecord untimed = jobAt(2, "Wait");
    printer.job({untimed, JobRead::Whole, 0, 0});
    JobRecord pair = jobAt(3, "2pass", 1500);
    pair.state.reset();
    printer.pair(pair);

    EXPECT_EQ(store.row(1), (GridStore::Row{"Clip", "Clip.avi", "Clip.avi", "3/15/08 12:00:00 pm", "3/15/08 6:00:00 pm",
                                            "Done", "00:00:01.500", "f.jobs"}));
    EXPECT_EQ(store.row(2), (GridStore::Row{"Wait", "Wait.avi", "Wait.avi", "", "", "Done", "", "f.jobs"}));
    EXPECT_EQ(store.row(3), (GridStore::Row{"2pass", "2pass.avi", "2pass.avi", "", "", "", "00:00:01.500", "f.jobs"}));
    EXPECT_TRUE(store.records().all().empty()) << "records kept only when asked for";
}

TEST(GridStore, RowsHeldFromTheFirstWrittenToTheLast)
{
    GridStore store;
    store.setRowCount(2'000'000'000);
    store.setCell(1'999'999'999, ColDur, "");  // no storage for an empty cell of a row never written
    store.setCell(1, ColName, "first");
    EXPECT_EQ(store.cell(1, ColName), "first");
    EXPECT_EQ(store.cell(1'999'999'999, ColName), "");
    EXPECT_THROW(store.setCell(2'000'000'000, ColName, "past the end"), std::out_of_range);
    EXPECT_THROW(store.row(2'000'000'000), std::out_of_range);

    store.addRecord(jobAt(1, "first"));
    store.forgetBelow(2);
    EXPECT_EQ(store.cell(1, ColName), "") << "let go of";
    EXPECT_EQ(store.record(1), nullptr);
    EXPECT_EQ(store.cell(0, ColName), "Name") << "the header stays";
    EXPECT_THROW(store.rowToWrite(1), std::out_of_range);
    store.setCell(3, ColName, "third");
    EXPECT_EQ(store.cell(3, ColName), "third");
    EXPECT_EQ(store.cell(2, ColName), "");

    store.clear();
    EXPECT_EQ(store.rowCount(), 2);
    store.setCell(1, ColName, "again");
    EXPECT_EQ(store.cell(1, ColName), "again");
}

// Rows let go of lend their memory to rows written later, which still
// start empty.
TEST(GridStore, RowsWrittenAfterOthersWereLetGoOfStartEmpty)
{
    GridStore store;
    store.setRowCount(12);
    for (int row = 1; row < 11; ++row) {
        GridStore::Row& cells = store.rowToWrite(row);
        EXPECT_EQ(cells, GridStore::Row{}) << row;
        for (std::string& cell : cells) cell = "a text longer than a short one, row " + std::to_string(row);
        if (row % 3 == 0) store.forgetBelow(row - 1);
    }
    store.forgetBelow(11);
    EXPECT_EQ(store.cells(10)[ColName], "");
    store.setCell(11, ColDur, "1.5");
    EXPECT_EQ(store.cells(11), (GridRows::Cells{"", "", "", "", "", "", "1.5", ""}));
}

// The rows go out as their events make them final, and are let go of.
// The grid printer and a row stream of `format` over one store, the
// stream's text gathered in `out`.
struct StreamedRun {
    explicit StreamedRun(ExportFormat format) : rows(store, format, sink) {}

    std::string out;
    TextSink sink{[this](std::string_view block) {
        out.append(block);
        return true;
    }};
    const RegionalSettings settings;
    GridStore store;
    GridPrinter printer{store, settings, false, false};
    RowStream rows;
    RunSinks sinks{{&printer, &rows}};
};

TEST(RowStream, PrintsRowsAsTheyBecomeFinal)
{
    StreamedRun run(ExportFormat::Tsv);
    auto& [out, sink, settings, store, printer, rows, sinks] = run;

    sinks.runBegun();
    sinks.jobsCounted(3, 3);
    const JobRecord first = jobAt(1, "a");
    sinks.job({first, JobRead::Whole, 0, 0});
    sink.flush();
    EXPECT_EQ(out, "Name\tSource\tDest\tStart\tEnd\tStatus\tDur\tJobfile\na\ta.avi\ta.avi\t\t\tDone\t\tf.jobs\n");
    EXPECT_EQ(store.cell(1, ColName), "") << "a printed row is let go of";

    const JobRecord second = jobAt(2, "b");
    sinks.job({second, JobRead::Whole, 0, 0});
    sinks.runStopped();  // the reserved row and the spare row are left out
    sink.flush();
    EXPECT_EQ(out.substr(out.find("f.jobs\n") + 7), "b\tb.avi\tb.avi\t\t\tDone\t\tf.jobs\n");
    EXPECT_EQ(store.rowCount(), 5);
}

// JSON rows carry their records though the store keeps none: each comes
// with its job's or pair's event, and a row without one has nulls.
TEST(RowStream, JsonRowsTakeTheRecordsOfTheirEvents)
{
    StreamedRun run(ExportFormat::Json);
    auto& [out, sink, settings, store, printer, rows, sinks] = run;

    sinks.runBegun();
    sinks.jobsCounted(2, 2);
    const JobRecord first = jobAt(1, "a", 1500);
    sinks.job({first, JobRead::Whole, 0, 0});
    JobRecord pair = jobAt(2, "2pass", 3000);
    pair.twoPass = true;
    pair.state.reset();
    sinks.pair(pair);
    store.setCell(3, ColName, "written by hand");
    sinks.runEnded();
    sink.flush();
    EXPECT_EQ(store.records().all().size(), 0u);
    const std::string tail = ", \"runner\": null, \"runner_id\": null, \"error\": null, \"id\": null}";
    const std::string expected[] = {
        "\"jobfile\": \"f.jobs\", \"state\": 2, \"start_utc\": null, \"end_utc\": null, \"duration_ms\": 1500, "
        "\"pair\": false" + tail,
        "\"jobfile\": \"f.jobs\", \"state\": null, \"start_utc\": null, \"end_utc\": null, \"duration_ms\": 3000, "
        "\"pair\": true" + tail,
        "\"jobfile\": \"\", \"state\": null, \"start_utc\": null, \"end_utc\": null, \"duration_ms\": null, "
        "\"pair\": false" + tail,
    };
    std::size_t from = 0;
    for (const std::string& row : expected) {
        const std::size_t at = out.find(row, from);
        ASSERT_NE(at, std::string::npos) << row << "\nin\n" << out;
        from = at + row.size();
    }
}

} // namespace
} // namespace chronell::report
