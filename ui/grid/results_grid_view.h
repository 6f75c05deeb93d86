#pragma once
// The results grid: a table of text cells over ResultsGridModel, shown
// through ResultsOrder (sorted by a header click, filtered), with the
// designed column widths, fixed 24-pixel rows, whole-row selection of
// consecutive rows, no editing, and Tab moving on to the next control. The
// Status cell carries its job's status colour, and a failed job's row
// stands out; a cut cell's tooltip shows its whole text.
#include <QTableView>

class QFontMetrics;

namespace chronell {

class ResultsGridModel;
class ResultsOrder;

// Designed content widths of the eight columns, grid lines not included.
inline constexpr int kDesignedColumnWidths[] = {39, 76, 76, 92, 95, 60, 73, 42};
// Content height of every row, header row included, grid line not included.
inline constexpr int kGridRowHeight = 24;
inline constexpr int kGridLineWidth = 1;

// The tooltip of a cell whose text gets `textWidth` pixels in `metrics`:
// the model's own tooltip (full paths, the error text), else the whole
// text when it is cut, else none.
QString gridCellToolTip(const QModelIndex& index, const QFontMetrics& metrics, int textWidth);

class ResultsGridView : public QTableView {
    Q_OBJECT

public:
    explicit ResultsGridView(QWidget* parent = nullptr);

    // The cells in the run's order, and the order and filter as shown.
    ResultsGridModel* gridModel() const { return model_; }
    ResultsOrder* order() const { return order_; }

    // Grid rows (1 is the first data row) as shown, and back; -1 for a row
    // that the filter hides.
    int shownRowOf(int gridRow) const;
    int gridRowOf(int shownRow) const;
    // The selected grid rows, in the order shown.
    std::vector<int> selectedGridRows() const;

    // A column's width as the grid measures it: without its grid line.
    int colWidth(int column) const;
    void setColWidth(int column, int width);

    // The window's layout, not the grid, decides how small it gets.
    QSize minimumSizeHint() const override;

private:
    ResultsGridModel* model_;
    ResultsOrder* order_;
};

} // namespace chronell
