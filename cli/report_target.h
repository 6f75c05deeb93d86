#pragma once
// The report's target: the in-memory grid and log, keeping only what the
// chosen output prints. With the log printed the grid's cells are dropped
// and only its row count kept, which the run reads; with the grid printed
// the log's lines are dropped. The output is the same, at less memory.
#include <algorithm>
#include <string_view>

#include "analysis/in_memory_target.h"
#include "cli/report_options.h"

namespace chronell::report {

class ReportTarget : public InMemoryTarget {
public:
    explicit ReportTarget(RowFormat output) : printsLog_(output == RowFormat::None) {}

    void appendLogLine(std::string_view line) override
    {
        if (printsLog_) InMemoryTarget::appendLogLine(line);
    }
    int rowCount() const override { return printsLog_ ? rowCount_ : InMemoryTarget::rowCount(); }
    void setRowCount(int rows) override
    {
        if (printsLog_)
            rowCount_ = std::max(rows, 1);
        else
            InMemoryTarget::setRowCount(rows);
    }
    void setCell(int column, int row, std::string_view text) override
    {
        if (!printsLog_) InMemoryTarget::setCell(column, row, text);
    }

private:
    bool printsLog_;
    int rowCount_ = 2;  // the grid's row count, while its cells are not kept
};

} // namespace chronell::report
