#pragma once
// The order and filter of the results grid as shown: a click on a header
// sorts by that column's value, a second reverses, a third restores the
// run's order; a filter text keeps the rows whose name, source, dest,
// status, job file or runner contains it, in any case. The model beneath
// keeps the run's order, which exports and Save Results As use.
#include <QSortFilterProxyModel>

namespace chronell {

class ResultsOrder : public QSortFilterProxyModel {
    Q_OBJECT

public:
    explicit ResultsOrder(QObject* parent = nullptr);

    // The next step of a column's cycle: ascending, descending, run order.
    void columnClicked(int column);
    // The sorted column, -1 in the run's order.
    int sortedColumn() const { return sortColumn(); }

    void setFilterText(const QString& text);
    const QString& filterText() const { return filter_; }

protected:
    // Rows without a value to sort by come last in either direction.
    bool lessThan(const QModelIndex& left, const QModelIndex& right) const override;
    bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;

private:
    QString filter_;
};

} // namespace chronell
