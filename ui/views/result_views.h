#pragma once
// The View menu's windows over the last run's records, the Timeline and the
// Summary: made when first chosen, owned by the main window, and brought up
// to date after every run. The Timeline draws a copy of the records, so
// that nothing that changes the grid's rows can pull them from under it.
#include <QPointer>

#include <functional>
#include <optional>
#include <vector>

#include "analysis/instant.h"

#include "analysis/record_list.h"
#include "ui/window/wall_clock.h"

class QWidget;

namespace chronell {

struct RegionalSettings;
class SummaryWindow;
class TimelineView;

class ResultViews {
public:
    // `formatted` says how durations are shown, `settings` how dates and
    // numbers are; `selectRow` selects a grid row for a click on the Timeline;
    // `runTime` says when the records were read, to which the Summary
    // measures the time so far of running jobs; `now` how far running jobs
    // have run on the Timeline (none: records of the past, none drawn as running).
    ResultViews(QWidget& owner, const RecordList& records, const RegionalSettings& settings,
                std::function<bool()> formatted, std::function<void(int row)> selectRow,
                std::function<std::optional<Instant>()> runTime = {}, WallClock now = {});
    // The windows go first, before the records they draw.
    ~ResultViews();
    ResultViews(const ResultViews&) = delete;
    ResultViews& operator=(const ResultViews&) = delete;

    void showTimeline();
    void showSummary();
    // The grid row selected now (0 for none): the Timeline outlines its bar.
    void rowSelected(int row);

    // At the end of a run, also one that an error ended, the views that are
    // shown take the new records.
    void runEnded();

    // The windows once made, else null.
    TimelineView* timeline() const;
    SummaryWindow* summary() const;

private:
    void refreshTimeline();
    void refreshSummary();

    QWidget& owner_;
    const RecordList& records_;
    const RegionalSettings& settings_;
    std::vector<JobRecord> timelineRecords_;
    std::function<bool()> formatted_;
    std::function<void(int row)> selectRow_;
    std::function<std::optional<Instant>()> runTime_;
    WallClock now_;
    int selectedRow_ = 0;
    QPointer<TimelineView> timeline_;
    QPointer<SummaryWindow> summary_;
};

} // namespace chronell
