#pragma once
// The Timeline window: the last run's records drawn as the report's SVG
// draws them (a lane per runner or job-list file, a bar per job coloured by
// its status, bars too narrow to see merged per lane and pixel, a local-time
// axis whose long idle stretches are folded, two-pass pairs joined, running
// jobs up to now, redrawn each second while shown, a legend). The mouse wheel zooms around the
// cursor, dragging pans (the lanes too, which also scroll by their scroll
// bar when they do not fit), Home fits the whole run, Esc closes it; a bar shows its job in
// a tooltip, and a click on it hands its grid row on.
#include <QColor>
#include <QWidget>

class QScrollBar;
class QTimer;

#include <cstddef>
#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "analysis/job_record.h"
#include "report/timeline.h"
#include "ui/widgets/status_legend.h"
#include "ui/window/wall_clock.h"

namespace chronell {

struct RegionalSettings;

class TimelineView : public QWidget {
    Q_OBJECT

public:
    // `selectRow` gets the grid row of a bar that is clicked; texts follow
    // `settings`. A window of its own that goes with `owner` and does not
    // keep the program running. `now` tells how far running jobs have run;
    // without it none is drawn as running.
    TimelineView(const RegionalSettings& settings, std::function<void(int row)> selectRow, WallClock now,
                 QWidget* owner);

    // Draws `records`, which must stay unchanged until the next call or
    // clear(), fitted to the window; tooltips as `formatted` says.
    void setRecords(const std::vector<JobRecord>& records, bool formatted);
    // Lets go of the records: draws none.
    void clear();
    // Draws the running jobs up to now, when the window shows any; the view stays.
    void redrawRunning();
    bool showsRunning() const;
    // The whole run in view, the first lane at the top.
    void fit();
    // Outlines the bar of grid row `row` (none for 0).
    void setSelectedRow(int row);
    int selectedRow() const { return selectedRow_; }

    // What is in view: the axis positions at the plot's left and right
    // edges (milliseconds, long idle stretches folded).
    double viewFrom() const { return viewFrom_; }
    double viewTo() const { return viewTo_; }
    // Where the bars are drawn, and the top of lane `lane`, in the window.
    QRect plotRect() const;
    int laneTop(std::size_t lane) const;
    int laneHeight() const;
    double xOf(Instant instant) const;
    // The bar drawn under `pos` or within two pixels of it, if any.
    const report::DrawnBar* barAt(QPoint pos) const;
    // The legend of the statuses drawn, and where its row goes along the bottom.
    const std::vector<LegendEntry>& legend() const { return legend_; }
    QRect legendRect() const;

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    double positionAt(double x) const;
    std::optional<Instant> timeNow() const;
    // The bars as drawn in the present view, made again when it changes.
    const std::vector<report::DrawnBar>& drawn() const;
    QString tooltipOf(const report::DrawnBar& bar) const;
    void setView(double from, double to);
    // The lanes' scroll bar: its range for the lanes and the plot's height.
    void placeLanesBar();
    void paintLegend(QPainter& painter) const;
    void paintLanes(QPainter& painter) const;
    void paintFolds(QPainter& painter) const;
    void paintAxis(QPainter& painter) const;
    void paintBars(QPainter& painter) const;
    void paintPairs(QPainter& painter) const;

    const RegionalSettings& settings_;
    std::function<void(int row)> selectRow_;
    WallClock now_;
    const std::vector<JobRecord>* records_ = nullptr;
    QTimer* runningTimer_;
    report::Timeline timeline_;
    bool formatted_ = false;
    std::vector<QColor> barColours_;
    int selectedRow_ = 0;
    std::vector<LegendEntry> legend_;
    int labelWidth_ = 0;
    mutable std::vector<report::DrawnBar> drawn_;
    mutable std::optional<std::array<double, 3>> drawnFor_;  // from, to and width of drawn_
    double viewFrom_ = 0;
    double viewTo_ = 1;
    QScrollBar* lanesBar_;  // its value: how far the lanes are scrolled, in pixels
    QPoint pressAt_;
    QPoint lastDragAt_;
    bool pressed_ = false;
    bool dragging_ = false;
};

} // namespace chronell
