#pragma once
// The cells of the results grid as the engine wrote them (bytes). Row 0 is
// the header row: the view shows it as its header and rows 1 onwards as
// its rows. Only rows up to the last one written hold storage: a row that
// is added and never written (a file may reserve millions) costs nothing.
#include <QAbstractTableModel>

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "analysis/processing_target.h"

namespace chronell {

class ResultsGridModel : public QAbstractTableModel {
    Q_OBJECT

public:
    explicit ResultsGridModel(QObject* parent = nullptr);

    // The grid's row count, header row included; 2 when created.
    int gridRowCount() const;
    // A value below 1 is taken as 1; new rows are empty, dropped rows lose their texts.
    void setGridRowCount(int rows);
    void setCell(int column, int row, std::string_view text);
    // A cell's bytes as they were written, empty for a row never written;
    // row 0 is the header row.
    std::string_view cell(int column, int row) const;

    // Between these two the model tells the view nothing; the view takes the
    // changes in one reset at the end. A run writes tens of thousands of
    // cells, which one notice each would make slow.
    void beginBatch();
    void endBatch();

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    // A cell's text as the grid shows it.
    QString cellText(int column, int row) const;

    using Row = std::array<std::string, kGridColumns>;

    int gridRowCount_ = 2;
    std::vector<Row> rows_;  // rows 0 to the last written; the rows after them are empty
    bool batching_ = false;
};

} // namespace chronell
