#pragma once
// The View menu's windows over the last run's records, the Timeline and the
// Summary: made when first chosen, owned by the main window, and brought up
// to date after every run.
#include <QPointer>

#include <functional>

#include "analysis/record_list.h"

class QWidget;

namespace chronell {

class SummaryWindow;
class TimelineView;

class ResultViews {
public:
    // `formatted` says how durations are shown; `selectRow` selects a grid
    // row for a click on the Timeline.
    ResultViews(QWidget& owner, const RecordList& records, std::function<bool()> formatted,
                std::function<void(int row)> selectRow);

    void showTimeline();
    void showSummary();

    // While a run changes the records, the views hold none of them; at its
    // end, also one that an error ended, they draw the new ones.
    void runStarting();
    void runEnded();

    // The windows once made, else null.
    TimelineView* timeline() const;
    SummaryWindow* summary() const;

private:
    void refreshTimeline();
    void refreshSummary();

    QWidget& owner_;
    const RecordList& records_;
    std::function<bool()> formatted_;
    std::function<void(int row)> selectRow_;
    QPointer<TimelineView> timeline_;
    QPointer<SummaryWindow> summary_;
};

} // namespace chronell
