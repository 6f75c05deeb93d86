#pragma once
// The History window's chart: encoding hours per period as stacked bars, a
// colour per runner named in a legend, an hours axis at the left and the
// periods' names below. The period under the mouse is named in a tooltip
// and handed on; a click chooses a period, which stays outlined.
#include <QColor>
#include <QWidget>

#include <cstddef>

#include "report/period_chart.h"

namespace chronell {

class HistoryChart : public QWidget {
    Q_OBJECT

public:
    explicit HistoryChart(QWidget* parent = nullptr);

    // Draws `chart`; no period is chosen then.
    void setChart(report::PeriodChart chart);
    const report::PeriodChart& chart() const { return chart_; }

    // The column whose slot holds `pos`, else -1.
    int columnAt(QPoint pos) const;
    // The slot of a column: its bar and the room above it.
    QRect columnSlot(int column) const;
    // The bar of a column's runner as drawn (empty for a runner without hours there).
    QRect barRect(int column, std::size_t runner) const;

    int chosenColumn() const { return chosen_; }
    // Outlines `column` (-1 for none) and says so by columnChosen.
    void choose(int column);

    // "2026-03-08: ATTIC-PC 3.2 h, STUDIO-PC 1.1 h; 12 jobs".
    QString columnText(int column) const;

    static QColor runnerColour(std::size_t runner);

signals:
    void columnChosen(int column);
    // The column under the mouse, -1 when it leaves them.
    void columnHovered(int column);

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    // Where the bars are drawn, below the legend and beside the axis.
    QRect plotRect() const;
    int legendHeight() const;
    void hover(int column);
    void paintLegend(QPainter& painter) const;
    void paintAxes(QPainter& painter, const QRect& plot) const;
    void paintColumns(QPainter& painter) const;

    report::PeriodChart chart_;
    int chosen_ = -1;
    int hovered_ = -1;
};

} // namespace chronell
