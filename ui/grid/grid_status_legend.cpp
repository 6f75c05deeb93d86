#include "ui/grid/grid_status_legend.h"

#include <QEvent>

#include <utility>
#include <vector>

#include "report/grid_columns.h"
#include "ui/grid/coloured_status.h"
#include "ui/grid/results_grid_model.h"

namespace chronell {

GridStatusLegend::GridStatusLegend(const ResultsGridModel& model, QWidget* parent) : StatusLegend(parent), model_(model)
{
    setObjectName(QStringLiteral("gridLegend"));
    connect(&model, &QAbstractItemModel::modelReset, this, &GridStatusLegend::refresh);
    connect(&model, &QAbstractItemModel::rowsInserted, this, &GridStatusLegend::refresh);
    connect(&model, &QAbstractItemModel::rowsRemoved, this, &GridStatusLegend::refresh);
    // The Dur cells of running jobs change each second; only the Status column matters here.
    connect(&model, &QAbstractItemModel::dataChanged, this, [this](const QModelIndex& from, const QModelIndex& to) {
        if (from.column() <= ColStatus && ColStatus <= to.column()) refresh();
    });
    refresh();
}

void GridStatusLegend::refresh()
{
    std::vector<ColouredStatus> shown;
    for (const JobRecord& record : model_.store().records().all())
        if (record.state) shown.push_back(colouredStatusOf(record.state, record.leftBehind));
    std::vector<LegendEntry> entries;
    for (const ColouredStatus& status : inLegendOrder(shown))
        entries.push_back({cellColour(status, palette()), legendText(status)});
    setVisible(!entries.empty());
    setEntries(std::move(entries));
}

void GridStatusLegend::changeEvent(QEvent* event)
{
    StatusLegend::changeEvent(event);
    if (event->type() == QEvent::PaletteChange) refresh();
}

} // namespace chronell
