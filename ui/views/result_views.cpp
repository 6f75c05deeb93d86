#include "ui/views/result_views.h"

#include <utility>

#include "analysis/regional_settings.h"
#include "report/summary.h"
#include "ui/views/summary_window.h"
#include "ui/views/timeline_view.h"

namespace chronell {

namespace {

void bringUp(QWidget& window)
{
    window.show();
    window.raise();
    window.activateWindow();
}

} // namespace

ResultViews::ResultViews(QWidget& owner, const RecordList& records, const RegionalSettings& settings,
                         std::function<bool()> formatted, std::function<void(int row)> selectRow,
                         std::function<std::optional<Instant>()> runTime, WallClock now)
    : owner_(owner),
      records_(records),
      settings_(settings),
      formatted_(std::move(formatted)),
      selectRow_(std::move(selectRow)),
      runTime_(std::move(runTime)),
      now_(std::move(now))
{
}

ResultViews::~ResultViews()
{
    delete timeline_;
    delete summary_;
}

void ResultViews::showTimeline()
{
    if (!timeline_) timeline_ = new TimelineView(settings_, selectRow_, now_, &owner_);
    refreshTimeline();
    timeline_->setSelectedRow(selectedRow_);
    bringUp(*timeline_);
}

void ResultViews::rowSelected(int row)
{
    selectedRow_ = row;
    if (timeline_) timeline_->setSelectedRow(row);
}

void ResultViews::showSummary()
{
    if (!summary_) summary_ = new SummaryWindow(&owner_);
    refreshSummary();
    bringUp(*summary_);
}

TimelineView* ResultViews::timeline() const
{
    return timeline_;
}

SummaryWindow* ResultViews::summary() const
{
    return summary_;
}

void ResultViews::runEnded()
{
    if (timeline_ && timeline_->isVisible()) refreshTimeline();
    if (summary_ && summary_->isVisible()) refreshSummary();
}

void ResultViews::refreshTimeline()
{
    timeline_->clear();  // lets go of the copy before it is replaced
    timelineRecords_ = records_.all();
    timeline_->setRecords(timelineRecords_, formatted_());
}

void ResultViews::refreshSummary()
{
    const std::optional<Instant> now = runTime_ ? runTime_() : std::nullopt;
    summary_->setSummaryText(report::summaryText(report::summarize(records_.all(), now), formatted_(), settings_));
}

} // namespace chronell
