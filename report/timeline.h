#pragma once
// The timeline of a run's records, drawn the same by the SVG picture and the
// window: a lane per runner (per job-list file for jobs without a runner),
// a bar per job with both times and per running job, and the two-pass pairs
// that join two bars, on an axis that folds long idle stretches.
#include <cstddef>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "analysis/date_time_text.h"
#include "analysis/job_record.h"
#include "report/timeline_axis.h"

namespace chronell {
struct RegionalSettings;
}

namespace chronell::report {

struct TimelineBar {
    std::size_t lane = 0;
    Instant start;
    Instant end;  // not before start
    bool open = false;  // a running job, drawn up to now
    const JobRecord* record = nullptr;  // the job's record (kept by the caller)
};

struct TimelinePair {
    std::size_t first = 0;  // indices into Timeline::bars
    std::size_t second = 0;
};

struct Timeline {
    std::vector<std::string> lanes;  // runner names first (sorted), then job-list files
    std::vector<TimelineBar> bars;   // by lane, then start
    std::vector<TimelinePair> pairs;
    std::set<std::int32_t> states;  // of the bars; -1 for none
    std::optional<Instant> from;  // the earliest start and latest end; absent without bars
    std::optional<Instant> to;
    TimeAxis axis;  // over the bars
};

// Keeps of a run's record what a timeline draws from it, judged left behind
// or not: a job with a start whole, of a two-pass pair its row (the pair
// joins the bars of the two rows before it), nothing of a job without a
// start. A timeline built over what is kept is the run's.
void keepForTimeline(std::vector<JobRecord>& kept, const JobRecord& record, bool leftBehind);

// Refers to the records, which must outlive the timeline. With `now`, jobs
// that are running are drawn from their start to `now`.
Timeline buildTimeline(const std::vector<JobRecord>& records, std::optional<Instant> now = std::nullopt);

// A bar as drawn at a scale: bars that would be narrower than a pixel and
// fall into the same pixel of one lane are merged into one.
struct DrawnBar {
    std::size_t lane = 0;
    double x0 = 0;  // pixels from the left of the plot
    double x1 = 0;
    std::size_t firstBar = 0;  // index into Timeline::bars
    std::size_t count = 1;     // bars merged into this one
};

// The bars that show between the axis positions `from` and `to` on a plot
// `width` pixels wide.
std::vector<DrawnBar> drawnBars(const Timeline& timeline, double from, double to, double width);

// The axis positions that show the whole timeline with a small margin.
std::pair<double, double> fittedView(const Timeline& timeline);

// The colour of a state's bars as "#rrggbb", and the legend's label.
const char* stateColour(std::optional<std::int32_t> state);
std::string stateLabel(std::optional<std::int32_t> state);

// The tooltips of bars, appended to a text; the date and time pictures are
// read once for all of them. `settings` must outlive it unchanged.
class BarTooltips {
public:
    explicit BarTooltips(const RegionalSettings& settings);

    // A job's: name, source, destination, start, end, duration.
    void appendJob(std::string& text, const JobRecord& record, bool formatted) const;
    // A drawn bar's: its job's, or for merged bars how many jobs from when to when.
    void appendDrawn(std::string& text, const Timeline& timeline, const DrawnBar& bar, bool formatted) const;

private:
    const RegionalSettings& settings_;
    DateTimeTexts dateTimes_;
};

// The tooltip text of a bar: name, source, destination, start, end, duration.
std::string barTooltip(const JobRecord& record, bool formatted, const RegionalSettings& settings);

// The tooltip of a drawn bar: its job's, or for merged bars how many jobs
// from when to when.
std::string drawnBarTooltip(const Timeline& timeline, const DrawnBar& bar, bool formatted,
                            const RegionalSettings& settings);

// The whole picture as a self-contained SVG document.
std::string timelineSvg(const Timeline& timeline, const RegionalSettings& settings);

} // namespace chronell::report
