#include "ui/grid/results_order.h"

#include "report/grid_columns.h"
#include "ui/grid/results_grid_model.h"
#include "ui/text/display_text.h"

namespace chronell {

ResultsOrder::ResultsOrder(QObject* parent) : QSortFilterProxyModel(parent)
{
    setSortRole(ResultsGridModel::SortRole);
    setSortCaseSensitivity(Qt::CaseInsensitive);
    setDynamicSortFilter(true);
}

void ResultsOrder::columnClicked(int column)
{
    if (column != sortColumn())
        sort(column, Qt::AscendingOrder);
    else if (sortOrder() == Qt::AscendingOrder)
        sort(column, Qt::DescendingOrder);
    else
        sort(-1, Qt::AscendingOrder);
}

void ResultsOrder::setFilterText(const QString& text)
{
    if (text == filter_) return;
    filter_ = text;
    invalidateRowsFilter();
}

bool ResultsOrder::lessThan(const QModelIndex& left, const QModelIndex& right) const
{
    const bool leftValue = left.data(sortRole()).isValid();
    const bool rightValue = right.data(sortRole()).isValid();
    if (leftValue && rightValue) return QSortFilterProxyModel::lessThan(left, right);
    if (leftValue == rightValue) return false;
    // Descending order asks the reverse: the row without a value is the lesser one there.
    return leftValue == (sortOrder() == Qt::AscendingOrder);
}

bool ResultsOrder::filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const
{
    if (filter_.isEmpty()) return true;
    const QAbstractItemModel* model = sourceModel();
    for (const int column : {ColName, ColSource, ColDest, ColStatus, ColJobfile}) {
        if (model->index(sourceRow, column, sourceParent).data().toString().contains(filter_, Qt::CaseInsensitive))
            return true;
    }
    const auto* record =
        model->index(sourceRow, ColName, sourceParent).data(ResultsGridModel::RecordRole).value<const JobRecord*>();
    return record && record->runnerName && shownText(*record->runnerName).contains(filter_, Qt::CaseInsensitive);
}

} // namespace chronell
