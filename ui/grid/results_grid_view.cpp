#include "ui/grid/results_grid_view.h"

#include <QHeaderView>
#include <QPainter>
#include <QStyledItemDelegate>

#include "ui/grid/results_grid_model.h"

namespace chronell {

namespace {

// A cell's text starts this far from the cell's left and top edges.
constexpr int kCellTextOffset = 2;

// Paints a cell as one line of text at the cell's text offset, elided
// ("…") where it does not fit the cell, on the selection colour when its row
// is selected.
class GridCellDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        const bool selected = option.state.testFlag(QStyle::State_Selected);
        const QPalette::ColorGroup group =
            option.state.testFlag(QStyle::State_Active) ? QPalette::Active : QPalette::Inactive;
        if (selected) painter->fillRect(option.rect, option.palette.brush(group, QPalette::Highlight));
        painter->setPen(option.palette.color(group, selected ? QPalette::HighlightedText : QPalette::Text));
        const QRect textRect = option.rect.adjusted(kCellTextOffset, kCellTextOffset, 0, 0);
        const QString text =
            painter->fontMetrics().elidedText(index.data().toString(), Qt::ElideRight, textRect.width());
        painter->drawText(textRect, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, text);
    }
};

} // namespace

ResultsGridView::ResultsGridView(QWidget* parent) : QTableView(parent), model_(new ResultsGridModel(this))
{
    setModel(model_);
    setItemDelegate(new GridCellDelegate(this));
    setFrameStyle(QFrame::WinPanel | QFrame::Sunken);  // the 2-pixel sunken border
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::ContiguousSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setTabKeyNavigation(false);
    setShowGrid(true);
    setWordWrap(false);
    setCornerButtonEnabled(false);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);

    // Qt counts a grid line into the section it closes.
    const int pitch = kGridRowHeight + kGridLineWidth;
    QHeaderView* rows = verticalHeader();
    rows->hide();
    rows->setMinimumSectionSize(1);
    rows->setDefaultSectionSize(pitch);
    rows->setSectionResizeMode(QHeaderView::Fixed);

    QHeaderView* columns = horizontalHeader();
    columns->setFixedHeight(pitch);
    columns->setMinimumSectionSize(kGridLineWidth);
    columns->setSectionsMovable(false);
    columns->setSectionResizeMode(QHeaderView::Interactive);
    columns->setStretchLastSection(false);
    columns->setHighlightSections(false);
    columns->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    for (int column = 0; column < static_cast<int>(std::size(kDesignedColumnWidths)); ++column)
        setColWidth(column, kDesignedColumnWidths[column]);
}

int ResultsGridView::colWidth(int column) const
{
    return columnWidth(column) - kGridLineWidth;
}

void ResultsGridView::setColWidth(int column, int width)
{
    setColumnWidth(column, width + kGridLineWidth);
}

QSize ResultsGridView::minimumSizeHint() const
{
    return {0, 0};
}

} // namespace chronell
