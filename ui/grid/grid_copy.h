#pragma once
// Copying from the results grid: Ctrl+C puts the selected rows on the
// clipboard as tab-separated text, the header row first, in the order shown
// (rows the filter hides are not selected, so not copied).
#include <QObject>
#include <QString>

#include <vector>

namespace chronell {

class ResultsGridModel;
class ResultsGridView;

// The header row and the given grid rows (1 is the first data row), in the
// order given: cells as display text separated by tabs, escaped as the TSV
// export escapes them, each row ending in a line feed.
QString gridRowsText(const ResultsGridModel& model, const std::vector<int>& rows);

// Takes the grid's Ctrl+C: the view's own would copy the current cell alone.
class GridCopy : public QObject {
    Q_OBJECT

public:
    explicit GridCopy(ResultsGridView& grid);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    ResultsGridView& grid_;
};

} // namespace chronell
