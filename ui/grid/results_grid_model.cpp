#include "ui/grid/results_grid_model.h"

#include <algorithm>
#include <stdexcept>

#include "ui/text/display_text.h"

namespace chronell {

ResultsGridModel::ResultsGridModel(QObject* parent) : QAbstractTableModel(parent) {}

int ResultsGridModel::gridRowCount() const
{
    return gridRowCount_;
}

void ResultsGridModel::setGridRowCount(int rows)
{
    const int oldCount = gridRowCount_;
    const int newCount = std::max(rows, 1);
    if (newCount == oldCount) return;
    const auto apply = [this, newCount] {
        gridRowCount_ = newCount;
        if (rows_.size() > static_cast<std::size_t>(newCount)) rows_.resize(static_cast<std::size_t>(newCount));
    };
    // Model rows are grid rows less the header row.
    if (batching_) {
        apply();
    } else if (newCount > oldCount) {
        beginInsertRows({}, oldCount - 1, newCount - 2);
        apply();
        endInsertRows();
    } else {
        beginRemoveRows({}, newCount - 1, oldCount - 2);
        apply();
        endRemoveRows();
    }
}

void ResultsGridModel::setCell(int column, int row, std::string_view text)
{
    if (row < 0 || row >= gridRowCount_ || column < 0 || column >= kGridColumns)
        throw std::out_of_range("no such cell of the results grid");
    const auto index = static_cast<std::size_t>(row);
    if (index >= rows_.size()) {
        if (text.empty()) return;  // a row past the last written one is empty already
        rows_.resize(index + 1);
    }
    rows_[index][static_cast<std::size_t>(column)] = text;
    if (batching_) return;
    if (row == 0) {
        emit headerDataChanged(Qt::Horizontal, column, column);
    } else {
        const QModelIndex cell = this->index(row - 1, column);
        emit dataChanged(cell, cell, {Qt::DisplayRole});
    }
}

std::string_view ResultsGridModel::cell(int column, int row) const
{
    const auto index = static_cast<std::size_t>(row);
    return index < rows_.size() ? std::string_view(rows_[index].at(static_cast<std::size_t>(column))) : std::string_view();
}

void ResultsGridModel::beginBatch()
{
    beginResetModel();
    batching_ = true;
}

void ResultsGridModel::endBatch()
{
    batching_ = false;
    endResetModel();
}

int ResultsGridModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : gridRowCount() - 1;
}

int ResultsGridModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : kGridColumns;
}

QString ResultsGridModel::cellText(int column, int row) const
{
    return shownText(cell(column, row));
}

QVariant ResultsGridModel::data(const QModelIndex& index, int role) const
{
    if (role != Qt::DisplayRole || !index.isValid()) return {};
    return cellText(index.column(), index.row() + 1);
}

QVariant ResultsGridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal || section < 0 || section >= kGridColumns) return {};
    return cellText(section, 0);
}

Qt::ItemFlags ResultsGridModel::flags(const QModelIndex& index) const
{
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

} // namespace chronell
