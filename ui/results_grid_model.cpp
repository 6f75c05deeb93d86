#include "ui/results_grid_model.h"

#include <algorithm>

#include "ui/display_text.h"

namespace chronell {

ResultsGridModel::ResultsGridModel(QObject* parent) : QAbstractTableModel(parent), rows_(2) {}

int ResultsGridModel::gridRowCount() const
{
    return static_cast<int>(rows_.size());
}

void ResultsGridModel::setGridRowCount(int rows)
{
    const int oldCount = gridRowCount();
    const int newCount = std::max(rows, 1);
    if (newCount == oldCount) return;
    // Model rows are grid rows less the header row.
    if (batching_) {
        rows_.resize(static_cast<std::size_t>(newCount));
    } else if (newCount > oldCount) {
        beginInsertRows({}, oldCount - 1, newCount - 2);
        rows_.resize(static_cast<std::size_t>(newCount));
        endInsertRows();
    } else {
        beginRemoveRows({}, newCount - 1, oldCount - 2);
        rows_.resize(static_cast<std::size_t>(newCount));
        endRemoveRows();
    }
}

void ResultsGridModel::setCell(int column, int row, std::string_view text)
{
    rows_.at(static_cast<std::size_t>(row)).at(static_cast<std::size_t>(column)) = text;
    if (batching_) return;
    if (row == 0) {
        emit headerDataChanged(Qt::Horizontal, column, column);
    } else {
        const QModelIndex cell = index(row - 1, column);
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

QVariant ResultsGridModel::data(const QModelIndex& index, int role) const
{
    if (role != Qt::DisplayRole || !index.isValid()) return {};
    return displayText(rows_[static_cast<std::size_t>(index.row() + 1)][static_cast<std::size_t>(index.column())]);
}

QVariant ResultsGridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal || section < 0 || section >= kGridColumns) return {};
    return displayText(rows_[0][static_cast<std::size_t>(section)]);
}

Qt::ItemFlags ResultsGridModel::flags(const QModelIndex& index) const
{
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

} // namespace chronell
