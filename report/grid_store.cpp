#include "report/grid_store.h"

#include <algorithm>
#include <stdexcept>

namespace chronell::report {

const std::array<std::string, kGridColumns>& gridHeaderRow()
{
    static const std::array<std::string, kGridColumns> header = [] {
        std::array<std::string, kGridColumns> row;
        std::copy(kGridCaptions.begin(), kGridCaptions.end(), row.begin());
        return row;
    }();
    return header;
}

const GridStore::Row& GridStore::row(int index) const
{
    if (index < 0 || index >= rowCount_) throw std::out_of_range("no such row of the results grid");
    if (index == 0) return header_;
    static const Row kEmpty{};
    const auto held = static_cast<std::size_t>(index - firstHeld_);
    return index >= firstHeld_ && held < rows_.size() ? rows_[held] : kEmpty;
}

GridRows::Cells GridStore::cells(int index) const
{
    const Row& cells = row(index);
    Cells all;
    std::copy(cells.begin(), cells.end(), all.begin());
    return all;
}

void GridStore::setRowCount(int rows)
{
    rowCount_ = std::max(rows, 1);
    const auto held = static_cast<std::size_t>(std::max(rowCount_ - firstHeld_, 0));
    if (rows_.size() > held) rows_.resize(held);
    records_.keepBelow(rowCount_);
}

void GridStore::clear()
{
    rowCount_ = 2;
    firstHeld_ = 1;
    rows_.clear();
    records_.clear();
}

GridStore::Row& GridStore::rowToWrite(int row)
{
    if (row == 0) return header_;
    if (row < firstHeld_ || row >= rowCount_) throw std::out_of_range("no such row of the results grid to write");
    const auto held = static_cast<std::size_t>(row - firstHeld_);
    while (rows_.size() <= held) {
        if (spare_.empty()) {
            rows_.emplace_back();
        } else {
            rows_.push_back(std::move(spare_.back()));
            spare_.pop_back();
        }
    }
    return rows_[held];
}

void GridStore::setCell(int row, int column, std::string_view text)
{
    if (column < 0 || column >= kGridColumns) throw std::out_of_range("no such column of the results grid");
    if (text.empty() && row >= firstHeld_ + static_cast<int>(rows_.size()) && row < rowCount_) return;
    rowToWrite(row)[static_cast<std::size_t>(column)] = text;
}

void GridStore::forgetBelow(int row)
{
    if (row <= firstHeld_) return;
    const auto gone = std::min(static_cast<std::size_t>(row - firstHeld_), rows_.size());
    // A few rows are kept for their memory: a stream lets go of a row or two at a time.
    constexpr std::size_t kSpareRows = 4;
    for (std::size_t i = 0; i < gone && spare_.size() < kSpareRows; ++i) {
        for (std::string& cell : rows_[i]) cell.clear();
        spare_.push_back(std::move(rows_[i]));
    }
    rows_.erase(rows_.begin(), rows_.begin() + static_cast<std::ptrdiff_t>(gone));
    firstHeld_ = row;
    records_.dropBelow(row);
}

} // namespace chronell::report
