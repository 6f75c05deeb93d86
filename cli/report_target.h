#pragma once
// The report's target: the in-memory grid and log, keeping only what the
// chosen output needs. The log, when it is what is printed, goes straight to
// the output as it is written (the run clears the log only before its first
// line), and is dropped otherwise; so do the grid's rows when they are
// printed. The row count is always kept: the run reads it. Records are kept
// for the timeline; a summary takes them as they come. Each record is judged
// left behind or not before it goes on.
#include <functional>
#include <string>
#include <system_error>
#include <string_view>

#include "analysis/in_memory_target.h"
#include "cli/streamed_rows.h"
#include "report/running_jobs.h"
#include "report/text_sink.h"

namespace chronell::report {

class ReportTarget : public InMemoryTarget {
public:
    using RecordUse = std::function<void(const JobRecord&)>;
    using FileNotRead = std::function<void(const std::string& path, std::error_code reason)>;

    // `log`: the sink the log is printed to, or null; `rows`: where the
    // grid's rows are printed, or null. `useRecord`, when given, takes each
    // record in place of keeping it. `notRead` hears of each file that could
    // not be read. `leftBehind` judges each record before it goes on.
    ReportTarget(TextSink* log, StreamedRows* rows, bool keepsRecords, const LeftBehindJudge& leftBehind,
                 RecordUse useRecord, FileNotRead notRead)
        : log_(log),
          rows_(rows),
          keepsRecords_(keepsRecords),
          leftBehind_(leftBehind),
          useRecord_(std::move(useRecord)),
          notRead_(std::move(notRead))
    {
    }

    void appendLogLine(std::string_view line) override
    {
        if (!log_) return;
        log_->append(line);
        log_->push('\n');
    }
    void clearLog() override {}
    void setRowCount(int rows) override
    {
        InMemoryTarget::setRowCount(rows);
        if (rows_) rows_->rowCountLowered(rowCount());
    }
    void setCell(int column, int row, std::string_view text) override
    {
        if (rows_) rows_->setCell(column, row, text);
    }
    bool keepsRecords() const override { return keepsRecords_ || useRecord_ || (rows_ && rows_->printsRecords()); }
    void addRecord(JobRecord record) override
    {
        record.leftBehind = leftBehind_(record);
        if (useRecord_)
            useRecord_(record);
        else if (rows_)
            rows_->addRecord(std::move(record));
        else
            InMemoryTarget::addRecord(std::move(record));
    }

    void fileNotRead(const std::string& path, std::error_code reason) override { notRead_(path, reason); }

private:
    TextSink* log_;
    StreamedRows* rows_;
    bool keepsRecords_;
    const LeftBehindJudge& leftBehind_;
    RecordUse useRecord_;
    FileNotRead notRead_;
};

} // namespace chronell::report
