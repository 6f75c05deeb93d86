#pragma once
// The results grid's colour legend: the statuses whose colours the grid's
// Status cells show, each swatch the colour of those cells in the present
// palette. Hidden while the grid shows no status colour.
#include "ui/widgets/status_legend.h"

namespace chronell {

class ResultsGridModel;

class GridStatusLegend : public StatusLegend {
    Q_OBJECT

public:
    // Follows what `model` holds.
    explicit GridStatusLegend(const ResultsGridModel& model, QWidget* parent = nullptr);

protected:
    void changeEvent(QEvent* event) override;

private:
    void refresh();

    const ResultsGridModel& model_;
};

} // namespace chronell
