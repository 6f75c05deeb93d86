#pragma once
// The seam over a plain in-memory grid and log, for the report and the
// tests. The log is kept as text, each line followed by a line feed, in
// chunks, so that a long run never copies what it has already logged.
#include <array>
#include <deque>
#include <string>
#include <vector>

#include "analysis/processing_target.h"

namespace chronell {

class InMemoryTarget : public ProcessingTarget {
public:
    using Row = std::array<std::string, kGridColumns>;

    InMemoryTarget();

    void appendLogLine(std::string_view line) override;
    void clearLog() override;
    int rowCount() const override;
    void setRowCount(int rows) override;
    void setCell(int column, int row, std::string_view text) override;
    void focusGrid() override;
    std::string folderText() const override { return folder; }
    std::string maskText() const override { return mask; }
    bool formattedTimeTicked() const override { return formattedTime; }
    bool clearLogTicked() const override { return clearLogOption; }

    const std::vector<std::string>& logChunks() const { return log_; }
    std::string logText() const;
    std::vector<std::string> logLines() const;
    const std::deque<Row>& rows() const { return rows_; }  // row 0 is the header
    bool gridFocused() const { return gridFocused_; }

    std::string folder;
    std::string mask = "*.jobs";
    bool formattedTime = false;
    bool clearLogOption = true;

private:
    std::vector<std::string> log_;
    std::deque<Row> rows_;
    bool gridFocused_ = false;
};

// The header texts of the results grid, split from "Name,Source,...,Jobfile".
const InMemoryTarget::Row& gridHeaderTexts();

} // namespace chronell
