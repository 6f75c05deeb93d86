#include "ui/grid/grid_copy.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>

#include <string>

#include "report/row_export.h"
#include "ui/grid/results_grid_model.h"
#include "ui/grid/results_grid_view.h"
#include "ui/text/display_text.h"

namespace chronell {

namespace {

// Cells escaped as the TSV export escapes them.
void appendRow(QString& text, const ResultsGridModel& model, int row)
{
    std::string cell;
    for (int column = 0; column < kGridColumns; ++column) {
        if (column > 0) text += u'\t';
        cell.clear();
        report::appendTsvField(cell, model.cell(column, row));
        text += displayText(cell);
    }
    text += u'\n';
}

} // namespace

QString gridRowsText(const ResultsGridModel& model, const std::vector<int>& rows)
{
    QString text;
    appendRow(text, model, 0);
    for (const int row : rows) appendRow(text, model, row);
    return text;
}

GridCopy::GridCopy(ResultsGridView& grid) : QObject(&grid), grid_(grid)
{
    grid.installEventFilter(this);
}

bool GridCopy::eventFilter(QObject* watched, QEvent* event)
{
    const bool copy = event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->matches(QKeySequence::Copy);
    if (watched != &grid_ || !copy) return QObject::eventFilter(watched, event);
    QGuiApplication::clipboard()->setText(gridRowsText(*grid_.gridModel(), grid_.selectedGridRows()));
    return true;
}

} // namespace chronell
