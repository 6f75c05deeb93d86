#pragma once
// The report's target: the in-memory grid and log, keeping only what the
// chosen output needs. The log, when it is what is printed, goes straight to
// the output as it is written (the run clears the log only before its first
// line); with the grid printed the log's lines are dropped, and with the log
// printed the grid keeps only its row count, which the run reads. Records
// are kept only where the output prints them.
#include <algorithm>
#include <string_view>

#include "analysis/in_memory_target.h"
#include "report/text_sink.h"

namespace chronell::report {

class ReportTarget : public InMemoryTarget {
public:
    // `log`: the sink the log is printed to, or null when the grid is printed.
    ReportTarget(TextSink* log, bool keepsRecords) : log_(log), keepsRecords_(keepsRecords) {}

    void appendLogLine(std::string_view line) override
    {
        if (!log_) return;
        log_->append(line);
        log_->push('\n');
    }
    void clearLog() override {}
    int rowCount() const override { return log_ ? rowCount_ : InMemoryTarget::rowCount(); }
    void setRowCount(int rows) override
    {
        if (log_)
            rowCount_ = std::max(rows, 1);
        else
            InMemoryTarget::setRowCount(rows);
    }
    void setCell(int column, int row, std::string_view text) override
    {
        if (!log_) InMemoryTarget::setCell(column, row, text);
    }
    bool keepsRecords() const override { return keepsRecords_; }

private:
    TextSink* log_;
    bool keepsRecords_;
    int rowCount_ = 2;  // the grid's row count, while its cells are not kept
};

} // namespace chronell::report
