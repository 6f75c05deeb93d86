#pragma once
// The report's target: the in-memory grid and log, keeping only what the
// chosen output needs. The log, when it is what is printed, goes straight to
// the output as it is written (the run clears the log only before its first
// line), and is dropped otherwise; the grid's cells and the records are kept
// only where the output prints them. The row count is always kept: the run
// reads it. A summary takes the records as they come instead of keeping them.
#include <functional>
#include <string_view>

#include "analysis/in_memory_target.h"
#include "report/text_sink.h"

namespace chronell::report {

class ReportTarget : public InMemoryTarget {
public:
    using RecordUse = std::function<void(const JobRecord&)>;

    // `log`: the sink the log is printed to, or null. `useRecord`, when
    // given, takes each record in place of keeping it.
    ReportTarget(TextSink* log, bool keepsCells, bool keepsRecords, RecordUse useRecord = {})
        : log_(log), keepsCells_(keepsCells), keepsRecords_(keepsRecords), useRecord_(std::move(useRecord))
    {
    }

    void appendLogLine(std::string_view line) override
    {
        if (!log_) return;
        log_->append(line);
        log_->push('\n');
    }
    void clearLog() override {}
    void setCell(int column, int row, std::string_view text) override
    {
        if (keepsCells_) InMemoryTarget::setCell(column, row, text);
    }
    bool keepsRecords() const override { return keepsRecords_ || useRecord_; }
    void addRecord(JobRecord record) override
    {
        if (useRecord_)
            useRecord_(record);
        else
            InMemoryTarget::addRecord(std::move(record));
    }

private:
    TextSink* log_;
    bool keepsCells_;
    bool keepsRecords_;
    RecordUse useRecord_;
};

} // namespace chronell::report
