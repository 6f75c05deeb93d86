#pragma once
// The History window: the kept jobs' encoding hours per day, week or month
// per runner as a chart over a recent range, the jobs of the period chosen
// in the chart in a grid that sorts and filters as the main grid does, and
// the Timeline and Summary over the whole range. It reads the history file
// when shown and whenever the period or range is changed.
#include <QWidget>

#include <functional>
#include <memory>
#include <string>

#include "analysis/record_list.h"
#include "history/history_store.h"
#include "report/period_chart.h"
#include "ui/window/wall_clock.h"

class QComboBox;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QPushButton;

namespace chronell {

struct RegionalSettings;
class HistoryChart;
class ResultsGridView;
class ResultViews;

class HistoryWindow : public QWidget {
    Q_OBJECT

public:
    // `now` places the recent ranges; `formatted` says how durations are
    // shown, `settings` how dates and numbers are. A window of its own that
    // goes with `owner` and does not keep the program running.
    HistoryWindow(std::string historyFile, const RegionalSettings& settings, WallClock now,
                  std::function<bool()> formatted, QWidget* owner);
    ~HistoryWindow() override;

    // Reads the history again for the chosen period and range.
    void refresh();

    void setPeriod(report::Period period);
    void setRange(report::RecentSpan span);
    // Fills the grid with the jobs that started in chart column `column`.
    void choosePeriod(int column);

    HistoryChart* chart() const { return chart_; }
    ResultsGridView* grid() const { return grid_; }
    QLineEdit* filterBox() const { return filterBox_; }
    // What the chart shows or why it shows nothing: "No history yet".
    QLabel* message() const { return message_; }
    ResultViews& views() const { return *views_; }
    QPushButton* timelineButton() const { return timelineButton_; }
    QPushButton* summaryButton() const { return summaryButton_; }

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    history::HistoryRange range() const;
    report::Period period() const;
    // The range's records for the Timeline and Summary, read when asked.
    void loadRangeRecords();
    // A Timeline bar's job: its period chosen, its row selected.
    void selectRangeRow(int row);
    void showHovered(int column);
    void showError(const QString& text);

    history::HistoryStore store_;
    const RegionalSettings& settings_;
    WallClock now_;
    std::function<bool()> formatted_;
    QComboBox* periodBox_;
    QComboBox* rangeBox_;
    QPushButton* timelineButton_;
    QPushButton* summaryButton_;
    QLabel* message_;
    HistoryChart* chart_;
    QLineEdit* filterBox_;
    ResultsGridView* grid_;
    QString chartMessage_;  // what the message says when no column is under the mouse
    RecordList rangeRecords_;
    std::unique_ptr<ResultViews> views_;
};

} // namespace chronell
