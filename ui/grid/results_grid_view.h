#pragma once
// The results grid: a table of text cells over ResultsGridModel, with the
// designed column widths, fixed 24-pixel rows, whole-row selection of
// consecutive rows, no editing, and Tab moving on to the next control.
#include <QTableView>

namespace chronell {

class ResultsGridModel;

// Designed content widths of the eight columns, grid lines not included.
inline constexpr int kDesignedColumnWidths[] = {39, 76, 76, 92, 95, 60, 73, 42};
// Content height of every row, header row included, grid line not included.
inline constexpr int kGridRowHeight = 24;
inline constexpr int kGridLineWidth = 1;

class ResultsGridView : public QTableView {
    Q_OBJECT

public:
    explicit ResultsGridView(QWidget* parent = nullptr);

    ResultsGridModel* gridModel() const { return model_; }

    // A column's width as the grid measures it: without its grid line.
    int colWidth(int column) const;
    void setColWidth(int column, int width);

    // The window's layout, not the grid, decides how small it gets.
    QSize minimumSizeHint() const override;

private:
    ResultsGridModel* model_;
};

} // namespace chronell
