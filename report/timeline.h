#pragma once
// The timeline of a run's records, drawn the same by the SVG picture and the
// window: a lane per runner (per job-list file for jobs without a runner),
// a bar per job with both times, and the two-pass pairs that join two bars.
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "analysis/job_record.h"

namespace chronell {
struct RegionalSettings;
}

namespace chronell::report {

struct TimelineBar {
    std::size_t lane = 0;
    Instant start;
    Instant end;  // not before start
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
    std::optional<Instant> from;  // the earliest start and latest end; absent without bars
    std::optional<Instant> to;
};

// Refers to the records, which must outlive the timeline.
Timeline buildTimeline(const std::vector<JobRecord>& records);

// A bar as drawn at a scale: bars that would be narrower than a pixel and
// fall into the same pixel of one lane are merged into one.
struct DrawnBar {
    std::size_t lane = 0;
    double x0 = 0;  // pixels from the left of the plot
    double x1 = 0;
    std::size_t firstBar = 0;  // index into Timeline::bars
    std::size_t count = 1;     // bars merged into this one
};

// The bars that show between `from` and `to` on a plot `width` pixels wide.
std::vector<DrawnBar> drawnBars(const Timeline& timeline, Instant from, Instant to, double width);

// Axis ticks: instants at a round local-time step that gives about
// `wanted` ticks between `from` and `to`.
std::vector<Instant> timelineTicks(Instant from, Instant to, int wanted);

// The colour of a state's bars as "#rrggbb", and the legend's label.
const char* stateColour(std::optional<std::int32_t> state);
std::string stateLabel(std::optional<std::int32_t> state);

// The tooltip text of a bar: name, source, destination, start, end, duration.
std::string barTooltip(const JobRecord& record, bool formatted, const RegionalSettings& settings);

// The tooltip of a drawn bar: its job's, or for merged bars how many jobs
// from when to when.
std::string drawnBarTooltip(const Timeline& timeline, const DrawnBar& bar, bool formatted,
                            const RegionalSettings& settings);

// The whole picture as a self-contained SVG document.
std::string timelineSvg(const Timeline& timeline, const RegionalSettings& settings);

} // namespace chronell::report
