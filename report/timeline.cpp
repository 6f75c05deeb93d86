#include "report/timeline.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <numeric>
#include <string_view>
#include <unordered_map>

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

// Stable: bars of one lane that start together keep their order. Bars come
// in row order, mostly by start within a lane, so most lanes need no sorting.
// Gives the place each bar took.
std::vector<std::size_t> sortByLaneThenStart(std::vector<TimelineBar>& bars, std::size_t lanes)
{
    std::vector<std::size_t> laneStarts(lanes + 1, 0);
    for (const TimelineBar& bar : bars) ++laneStarts[bar.lane + 1];
    std::partial_sum(laneStarts.begin(), laneStarts.end(), laneStarts.begin());
    std::vector<std::size_t> order(bars.size());  // the bars' indices in their new order
    std::vector<std::size_t> next(laneStarts.begin(), laneStarts.end() - 1);
    for (std::size_t i = 0; i < bars.size(); ++i) order[next[bars[i].lane]++] = i;
    const auto byStart = [&bars](std::size_t a, std::size_t b) { return bars[a].start < bars[b].start; };
    for (std::size_t lane = 0; lane < lanes; ++lane) {
        const auto from = order.begin() + static_cast<std::ptrdiff_t>(laneStarts[lane]);
        const auto to = order.begin() + static_cast<std::ptrdiff_t>(laneStarts[lane + 1]);
        if (!std::is_sorted(from, to, byStart)) std::stable_sort(from, to, byStart);
    }
    std::vector<TimelineBar> sorted(bars.size());
    std::vector<std::size_t> placeOf(bars.size());
    for (std::size_t place = 0; place < order.size(); ++place) {
        sorted[place] = bars[order[place]];
        placeOf[order[place]] = place;
    }
    bars = std::move(sorted);
    return placeOf;
}

constexpr double kFitMargin = 0.02;  // of the span, each side
constexpr double kSmallestSpanMs = 1000;

} // namespace

void keepForTimeline(std::vector<JobRecord>& kept, const JobRecord& record, bool leftBehind)
{
    if (record.twoPass) {
        JobRecord& pair = kept.emplace_back();
        pair.row = record.row;
        pair.twoPass = true;
    } else if (record.startUtc) {
        kept.emplace_back(record).leftBehind = leftBehind;
    }
}

Timeline buildTimeline(const std::vector<JobRecord>& records, std::optional<Instant> now)
{
    Timeline timeline;
    // Lanes: runners sorted by name, then the files of jobs without a runner
    // in row order. Each bar first gets its runner's or file's number in the
    // order met, the lane once the runners are sorted.
    std::unordered_map<std::string_view, std::size_t> runnerNumbers;
    std::unordered_map<std::string_view, std::size_t> fileNumbers;
    std::vector<std::string_view> files;
    std::vector<std::pair<std::size_t, bool>> numberOfBar;  // and whether a runner's
    timeline.bars.reserve(records.size());
    numberOfBar.reserve(records.size());
    // The legend's states and the pairs' rows are gathered while the records
    // are read in order: a run's records are too many to stay in the cache.
    std::vector<int> pairRows;
    std::vector<int> barRows;  // the rows of the bars, in the records' order
    barRows.reserve(records.size());
    std::optional<std::pair<std::size_t, bool>> last;  // the last bar's number
    std::string_view lastName;
    for (const JobRecord& record : records) {
        if (record.twoPass) pairRows.push_back(record.row);
        if (!drawn(record, now)) continue;
        timeline.states.insert(record.state.value_or(-1));
        const std::string* runner = runnerOf(record);
        const std::string_view name = runner ? std::string_view(*runner) : std::string_view(record.jobFile);
        // Jobs of one runner or file mostly follow each other: the last
        // number is taken again without a look in the table.
        if (!last || last->second != (runner != nullptr) || lastName != name) {
            auto& numbers = runner ? runnerNumbers : fileNumbers;
            const auto [number, added] = numbers.try_emplace(name, numbers.size());
            if (added && !runner) files.push_back(name);
            last.emplace(number->second, runner != nullptr);
            lastName = name;
        }
        numberOfBar.push_back(*last);

        TimelineBar bar;
        bar.open = !record.endUtc;
        const Instant end = record.endUtc ? *record.endUtc : std::max(*record.startUtc, *now);
        bar.start = std::min(*record.startUtc, end);
        bar.end = std::max(*record.startUtc, end);
        bar.record = &record;
        timeline.bars.push_back(bar);
        barRows.push_back(record.row);
        if (!timeline.from || bar.start < *timeline.from) timeline.from = bar.start;
        if (!timeline.to || bar.end > *timeline.to) timeline.to = bar.end;
    }
    std::vector<std::pair<std::string_view, std::size_t>> runners(runnerNumbers.begin(), runnerNumbers.end());
    std::sort(runners.begin(), runners.end());
    std::vector<std::size_t> laneOfRunner(runners.size());
    for (std::size_t lane = 0; lane < runners.size(); ++lane) {
        laneOfRunner[runners[lane].second] = lane;
        timeline.lanes.emplace_back(runners[lane].first);
    }
    timeline.lanes.insert(timeline.lanes.end(), files.begin(), files.end());
    for (std::size_t i = 0; i < timeline.bars.size(); ++i) {
        const auto [number, isRunner] = numberOfBar[i];
        timeline.bars[i].lane = isRunner ? laneOfRunner[number] : runners.size() + number;
    }
    const std::vector<std::size_t> placeOf = sortByLaneThenStart(timeline.bars, timeline.lanes.size());

    std::vector<std::pair<Instant, Instant>> busy;
    busy.reserve(timeline.bars.size());
    for (const TimelineBar& bar : timeline.bars) busy.emplace_back(bar.start, bar.end);
    timeline.axis = TimeAxis(std::move(busy));

    // A pair's row follows the rows of its two jobs; of bars with the same
    // row, the last one counts. Made in the records' order, mostly the
    // rows', the table of rows is sorted already.
    std::vector<std::pair<int, std::size_t>> barOfRow;
    barOfRow.reserve(timeline.bars.size());
    for (std::size_t i = 0; i < placeOf.size(); ++i) barOfRow.emplace_back(barRows[i], placeOf[i]);
    if (!std::is_sorted(barOfRow.begin(), barOfRow.end())) std::sort(barOfRow.begin(), barOfRow.end());
    const auto barAt = [&barOfRow](int row) -> std::optional<std::size_t> {
        const auto after = std::upper_bound(barOfRow.begin(), barOfRow.end(), std::pair(row, SIZE_MAX));
        if (after == barOfRow.begin() || std::prev(after)->first != row) return std::nullopt;
        return std::prev(after)->second;
    };
    for (const int row : pairRows) {
        const auto first = barAt(row - 2);
        const auto second = barAt(row - 1);
        if (first && second) timeline.pairs.push_back({*first, *second});
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

BarTooltips::BarTooltips(const RegionalSettings& settings) : settings_(settings), dateTimes_(settings) {}

void BarTooltips::appendJob(std::string& text, const JobRecord& record, bool formatted) const
{
    text.append(record.name);
    text.append("\nSource: ").append(record.input);
    text.append("\nDest: ").append(record.output);
    text.append("\nStart: ");
    if (record.startShown) dateTimes_.append(text, *record.startShown);
    text.append("\nEnd: ");
    if (record.endShown) dateTimes_.append(text, *record.endShown);
    text.append("\nDuration: ");
    if (record.durationMs) text.append(millisecondsText(*record.durationMs, formatted, settings_));
    if (record.runnerName) text.append("\nRunner: ").append(*record.runnerName);
    if (record.error && !record.error->empty()) text.append("\nError: ").append(*record.error);
}

void BarTooltips::appendDrawn(std::string& text, const Timeline& timeline, const DrawnBar& bar, bool formatted) const
{
    const TimelineBar& first = timeline.bars[bar.firstBar];
    if (bar.count == 1) return appendJob(text, *first.record, formatted);
    char count[24];
    text.append(count, std::to_chars(count, count + sizeof count, bar.count).ptr).append(" jobs, ");
    appendLocalDateTimeText(text, first.start, dateTimes_);
    text.append(" to ");
    appendLocalDateTimeText(text, timeline.bars[bar.firstBar + bar.count - 1].end, dateTimes_);
}

std::string barTooltip(const JobRecord& record, bool formatted, const RegionalSettings& settings)
{
    std::string text;
    BarTooltips(settings).appendJob(text, record, formatted);
    return text;
}

std::string drawnBarTooltip(const Timeline& timeline, const DrawnBar& bar, bool formatted,
                            const RegionalSettings& settings)
{
    std::string text;
    BarTooltips(settings).appendDrawn(text, timeline, bar, formatted);
    return text;
}

} // namespace chronell::report
