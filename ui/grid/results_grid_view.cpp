#include "ui/grid/results_grid_view.h"

#include <QHeaderView>
#include <QHelpEvent>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QToolTip>

#include <algorithm>
#include <cstdint>
#include <optional>
#include <vector>

#include "ui/grid/results_grid_model.h"
#include "ui/grid/results_order.h"
#include "ui/grid/status_colours.h"

namespace chronell {

namespace {

// A cell's text starts this far from the cell's left and top edges.
constexpr int kCellTextOffset = 2;

QRect cellTextRect(const QRect& cell)
{
    return cell.adjusted(kCellTextOffset, kCellTextOffset, 0, 0);
}

// The background of a cell that is not selected: its status colour in the
// Status column, a tint across a failed or left-behind job's row; invalid
// for the rest.
QColor cellBackground(const QModelIndex& index, const QPalette& palette)
{
    const auto* record = index.data(ResultsGridModel::RecordRole).value<const JobRecord*>();
    if (!record || !record->state) return {};
    if (index.column() == ColStatus) return statusCellBackground(record->state, palette, record->leftBehind);
    return standingOutRowBackground(record->state, palette, record->leftBehind);
}

// Paints a cell as one line of text at the cell's text offset, elided
// ("…") where it does not fit the cell, on the selection colour when its row
// is selected, else on its status colour if it has one.
class GridCellDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        painter->save();
        const bool selected = option.state.testFlag(QStyle::State_Selected);
        const QPalette::ColorGroup group =
            option.state.testFlag(QStyle::State_Active) ? QPalette::Active : QPalette::Inactive;
        if (selected) {
            painter->fillRect(option.rect, option.palette.brush(group, QPalette::Highlight));
        } else if (const QColor background = cellBackground(index, option.palette); background.isValid()) {
            painter->fillRect(option.rect, background);
        }
        painter->setPen(option.palette.color(group, selected ? QPalette::HighlightedText : QPalette::Text));
        // A running job's time so far is set in italics.
        if (const QVariant font = index.data(Qt::FontRole); font.isValid()) {
            QFont cellFont = painter->font();
            cellFont.setItalic(font.value<QFont>().italic());
            painter->setFont(cellFont);
        }
        const QRect textRect = cellTextRect(option.rect);
        const QString text =
            painter->fontMetrics().elidedText(index.data().toString(), Qt::ElideRight, textRect.width());
        painter->drawText(textRect, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, text);
        painter->restore();
    }

    bool helpEvent(QHelpEvent* event, QAbstractItemView* view, const QStyleOptionViewItem& option,
                   const QModelIndex& index) override
    {
        if (event->type() != QEvent::ToolTip || !index.isValid())
            return QStyledItemDelegate::helpEvent(event, view, option, index);
        const QString tip = gridCellToolTip(index, option.fontMetrics, cellTextRect(option.rect).width());
        if (tip.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(event->globalPos(), tip, view->viewport(), option.rect);
        return true;
    }
};

} // namespace

QString gridCellToolTip(const QModelIndex& index, const QFontMetrics& metrics, int textWidth)
{
    const QString own = index.data(Qt::ToolTipRole).toString();
    if (!own.isEmpty()) return own;
    const QString text = index.data().toString();
    return metrics.horizontalAdvance(text) > textWidth ? text : QString();
}

ResultsGridView::ResultsGridView(QWidget* parent)
    : QTableView(parent), model_(new ResultsGridModel(this)), order_(new ResultsOrder(this))
{
    order_->setSourceModel(model_);
    setModel(order_);
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
    columns->setSectionsClickable(true);
    columns->setSortIndicatorShown(true);
    columns->setSortIndicator(-1, Qt::AscendingOrder);
    connect(columns, &QHeaderView::sectionClicked, this, [this, columns](int column) {
        order_->columnClicked(column);
        columns->setSortIndicator(order_->sortColumn(), order_->sortOrder());
    });
    for (int column = 0; column < static_cast<int>(std::size(kDesignedColumnWidths)); ++column)
        setColWidth(column, kDesignedColumnWidths[column]);
}

int ResultsGridView::shownRowOf(int gridRow) const
{
    const QModelIndex shown = order_->mapFromSource(model_->index(gridRow - 1, 0));
    return shown.isValid() ? shown.row() + 1 : -1;
}

int ResultsGridView::gridRowOf(int shownRow) const
{
    const QModelIndex source = order_->mapToSource(order_->index(shownRow - 1, 0));
    return source.isValid() ? source.row() + 1 : -1;
}

std::vector<int> ResultsGridView::selectedGridRows() const
{
    std::vector<int> shown;
    for (const QModelIndex& index : selectionModel()->selectedRows()) shown.push_back(index.row() + 1);
    std::sort(shown.begin(), shown.end());
    std::vector<int> rows;
    rows.reserve(shown.size());
    for (const int row : shown) rows.push_back(gridRowOf(row));
    return rows;
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
