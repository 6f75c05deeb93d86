#include "report/timeline.h"

#include <algorithm>
#include <map>

#include "analysis/date_time_text.h"
#include "report/duration_format.h"
#include "report/local_instant.h"
#include "report/running_jobs.h"

namespace chronell::report {

namespace {

// The lane of a job: its runner's, or its file's where it names none.
const std::string* runnerOf(const JobRecord& record)
{
    return record.runnerName && !record.runnerName->empty() ? &*record.runnerName : nullptr;
}

// Jobs with both times, and with `now` those running.
bool drawn(const JobRecord& record, std::optional<Instant> now)
{
    return !record.twoPass && record.startUtc && (record.endUtc || (now && isRunning(record)));
}

constexpr double kFitMargin = 0.02;  // of the span, each side
constexpr double kSmallestSpanMs = 1000;

} // namespace

Timeline buildTimeline(const std::vector<JobRecord>& records, std::optional<Instant> now)
{
    Timeline timeline;
    // Lanes: runners sorted by name, then the files of jobs without a runner in row order.
    std::map<std::string, std::size_t> runnerLanes;
    std::vector<std::string> fileLanes;
    for (const JobRecord& record : records) {
        if (!drawn(record, now)) continue;
        if (const std::string* runner = runnerOf(record))
            runnerLanes.emplace(*runner, 0);
        else if (std::find(fileLanes.begin(), fileLanes.end(), record.jobFile) == fileLanes.end())
            fileLanes.push_back(record.jobFile);
    }
    for (auto& [name, lane] : runnerLanes) {
        lane = timeline.lanes.size();
        timeline.lanes.push_back(name);
    }
    std::map<std::string, std::size_t> fileLaneOf;
    for (const std::string& file : fileLanes) {
        fileLaneOf.emplace(file, timeline.lanes.size());
        timeline.lanes.push_back(file);
    }

    for (const JobRecord& record : records) {
        if (!drawn(record, now)) continue;
        TimelineBar bar;
        const std::string* runner = runnerOf(record);
        bar.lane = runner ? runnerLanes.at(*runner) : fileLaneOf.at(record.jobFile);
        bar.open = !record.endUtc;
        const Instant end = record.endUtc ? *record.endUtc : std::max(*record.startUtc, *now);
        bar.start = std::min(*record.startUtc, end);
        bar.end = std::max(*record.startUtc, end);
        bar.record = &record;
        timeline.bars.push_back(bar);
        if (!timeline.from || bar.start < *timeline.from) timeline.from = bar.start;
        if (!timeline.to || bar.end > *timeline.to) timeline.to = bar.end;
    }
    std::stable_sort(timeline.bars.begin(), timeline.bars.end(), [](const TimelineBar& a, const TimelineBar& b) {
        return a.lane != b.lane ? a.lane < b.lane : a.start < b.start;
    });
    std::vector<std::pair<Instant, Instant>> busy;
    busy.reserve(timeline.bars.size());
    for (const TimelineBar& bar : timeline.bars) busy.emplace_back(bar.start, bar.end);
    timeline.axis = TimeAxis(std::move(busy));

    // A pair's row follows the rows of its two jobs.
    std::map<int, std::size_t> barOfRow;
    for (std::size_t i = 0; i < timeline.bars.size(); ++i) barOfRow[timeline.bars[i].record->row] = i;
    for (const JobRecord& record : records) {
        if (!record.twoPass) continue;
        const auto first = barOfRow.find(record.row - 2);
        const auto second = barOfRow.find(record.row - 1);
        if (first != barOfRow.end() && second != barOfRow.end())
            timeline.pairs.push_back({first->second, second->second});
    }
    return timeline;
}

std::vector<DrawnBar> drawnBars(const Timeline& timeline, double from, double to, double width)
{
    std::vector<DrawnBar> drawn;
    const double span = to - from;
    if (span <= 0 || width <= 0) return drawn;
    const double scale = width / span;
    for (std::size_t i = 0; i < timeline.bars.size(); ++i) {
        const TimelineBar& bar = timeline.bars[i];
        const double x0 = (timeline.axis.position(bar.start) - from) * scale;
        const double x1 = (timeline.axis.position(bar.end) - from) * scale;
        if (x1 < 0 || x0 > width) continue;
        const bool narrow = x1 - x0 < 1;
        if (narrow && !drawn.empty()) {
            DrawnBar& last = drawn.back();
            // Merged into the bar before when both fall into one pixel of the lane.
            if (last.lane == bar.lane && last.x1 - last.x0 < 1 + 1e-9 &&
                static_cast<long long>(x0) <= static_cast<long long>(last.x0)) {
                last.x1 = std::max(last.x1, x1);
                ++last.count;
                continue;
            }
        }
        drawn.push_back({bar.lane, x0, x1, i, 1});
    }
    return drawn;
}

std::pair<double, double> fittedView(const Timeline& timeline)
{
    if (!timeline.from || !timeline.to) return {0, kSmallestSpanMs};
    const double from = timeline.axis.position(*timeline.from);
    const double span = std::max(timeline.axis.position(*timeline.to) - from, kSmallestSpanMs);
    return {from - span * kFitMargin, from + span * (1 + kFitMargin)};
}

const char* stateColour(std::optional<std::int32_t> state)
{
    switch (state.value_or(-1)) {
    case 0: return "#9e9e9e";  // waiting
    case 1: return "#1e88e5";  // in progress
    case 2: return "#43a047";  // done
    case 3: return "#8e24aa";  // postponed
    case 4: return "#fb8c00";  // aborted
    case 5: return "#e53935";  // error
    default: return "#607d8b";
    }
}

std::string stateLabel(std::optional<std::int32_t> state)
{
    static constexpr const char* words[] = {"Waiting", "In Progress", "Done", "Postponed", "Aborted", "Error"};
    const std::int32_t value = state.value_or(-1);
    if (value >= 0 && value < static_cast<std::int32_t>(std::size(words))) return words[value];
    return "Other";
}

std::string barTooltip(const JobRecord& record, bool formatted, const RegionalSettings& settings)
{
    std::string text = record.name;
    text.append("\nSource: ").append(record.input);
    text.append("\nDest: ").append(record.output);
    text.append("\nStart: ").append(record.startShown ? dateTimeText(*record.startShown, settings) : "");
    text.append("\nEnd: ").append(record.endShown ? dateTimeText(*record.endShown, settings) : "");
    text.append("\nDuration: ").append(record.durationMs ? millisecondsText(*record.durationMs, formatted, settings) : "");
    if (record.runnerName) text.append("\nRunner: ").append(*record.runnerName);
    if (record.error && !record.error->empty()) text.append("\nError: ").append(*record.error);
    return text;
}

std::string drawnBarTooltip(const Timeline& timeline, const DrawnBar& bar, bool formatted,
                            const RegionalSettings& settings)
{
    const TimelineBar& first = timeline.bars[bar.firstBar];
    if (bar.count == 1) return barTooltip(*first.record, formatted, settings);
    const TimelineBar& last = timeline.bars[bar.firstBar + bar.count - 1];
    return std::to_string(bar.count) + " jobs, " + localDateTimeText(first.start, settings) + " to " +
           localDateTimeText(last.end, settings);
}

} // namespace chronell::report
