#include "report/timeline_axis.h"

#include <algorithm>
#include <cmath>

#include "analysis/regional_settings.h"
#include "report/local_instant.h"

namespace chronell::report {

namespace {

using std::chrono::days;
using std::chrono::milliseconds;

constexpr std::int64_t kDayMs = 86'400'000;
constexpr std::int64_t kFirstMondayDay = 4;  // 1970-01-05
constexpr double kFoldedMs = static_cast<double>(kFoldedWidth.count());
constexpr std::size_t kMostTicks = 20'000;  // however far a view is zoomed out

double msOf(milliseconds span) { return static_cast<double>(span.count()); }

// Division rounding towards minus infinity, for instants before 1970.
std::int64_t floorDiv(std::int64_t value, std::int64_t by)
{
    return value / by - (value % by != 0 && (value < 0) != (by < 0) ? 1 : 0);
}

// The first multiple of `step` (offset by `offset`) at or after `value`.
std::int64_t roundUp(std::int64_t value, std::int64_t step, std::int64_t offset = 0)
{
    return -floorDiv(-(value - offset), step) * step + offset;
}

// Months since year 0 of the local day holding `local`, and whether `local`
// is the very start of that month.
std::pair<std::int64_t, bool> monthOf(std::int64_t local)
{
    const std::chrono::sys_days day{days(floorDiv(local, kDayMs))};
    const std::chrono::year_month_day date{day};
    const std::int64_t month = static_cast<int>(date.year()) * 12LL + static_cast<unsigned>(date.month()) - 1;
    const bool atStart = static_cast<unsigned>(date.day()) == 1 && local % kDayMs == 0;
    return {month, atStart};
}

std::int64_t localOfMonth(std::int64_t month)
{
    const std::chrono::year_month_day date{std::chrono::year(static_cast<int>(floorDiv(month, 12))),
                                           std::chrono::month(static_cast<unsigned>(month - floorDiv(month, 12) * 12 + 1)),
                                           std::chrono::day(1)};
    return std::chrono::sys_days(date).time_since_epoch().count() * kDayMs;
}

// The time of the long time picture without its seconds.
std::string shortTimePicture(const RegionalSettings& settings)
{
    std::string picture = settings.longTimePicture;
    for (const char* seconds : {":ss", ":s"})
        if (const auto at = picture.find(seconds); at != std::string::npos) {
            picture.erase(at, std::char_traits<char>::length(seconds));
            break;
        }
    return picture;
}

std::string tickLabel(TickStep step, Instant at, bool withDate, const RegionalSettings& settings)
{
    switch (step.unit) {
    case TickUnit::Minute:
    case TickUnit::Hour: {
        const std::string time = localPictureText(at, shortTimePicture(settings), settings);
        return withDate ? localPictureText(at, settings.shortDatePicture, settings) + " " + time : time;
    }
    case TickUnit::Day:
    case TickUnit::Week: return localPictureText(at, settings.shortDatePicture, settings);
    case TickUnit::Month: return localPictureText(at, "mmm yyyy", settings);
    case TickUnit::Year: return localPictureText(at, "yyyy", settings);
    }
    return {};
}

} // namespace

TimeAxis::TimeAxis(std::vector<std::pair<Instant, Instant>> busy)
{
    if (busy.empty()) return;
    std::sort(busy.begin(), busy.end());
    origin_ = busy.front().first;
    Instant reached = busy.front().second;
    for (const auto& [start, end] : busy) {
        if (start - reached > kFoldAfter) folds_.push_back({reached, start});
        reached = std::max(reached, end);
    }
    double removed = 0;
    for (const AxisFold& fold : folds_) {
        foldPositions_.push_back(msOf(fold.from - origin_) - removed);
        removed += msOf(fold.to - fold.from) - kFoldedMs;
    }
}

double TimeAxis::position(Instant instant) const
{
    // The last fold that begins before the instant.
    const auto after = std::upper_bound(folds_.begin(), folds_.end(), instant,
                                        [](Instant at, const AxisFold& fold) { return at < fold.from; });
    if (after == folds_.begin()) return msOf(instant - origin_);
    const auto index = static_cast<std::size_t>(after - folds_.begin()) - 1;
    const AxisFold& fold = folds_[index];
    const double begins = foldPositions_[index];
    if (instant >= fold.to) return begins + kFoldedMs + msOf(instant - fold.to);
    return begins + msOf(instant - fold.from) / msOf(fold.to - fold.from) * kFoldedMs;
}

Instant TimeAxis::instantAt(double position) const
{
    const auto toInstant = [](Instant base, double offset) { return base + milliseconds(std::llround(offset)); };
    const auto after = std::upper_bound(foldPositions_.begin(), foldPositions_.end(), position);
    if (after == foldPositions_.begin()) return toInstant(origin_, position);
    const auto index = static_cast<std::size_t>(after - foldPositions_.begin()) - 1;
    const AxisFold& fold = folds_[index];
    const double into = position - foldPositions_[index];
    if (into >= kFoldedMs) return toInstant(fold.to, into - kFoldedMs);
    return toInstant(fold.from, into / kFoldedMs * msOf(fold.to - fold.from));
}

const std::vector<TickStep>& tickSteps()
{
    static const std::vector<TickStep> steps = {
        {TickUnit::Minute, 1}, {TickUnit::Minute, 5}, {TickUnit::Minute, 15}, {TickUnit::Minute, 30},
        {TickUnit::Hour, 1},   {TickUnit::Hour, 3},   {TickUnit::Hour, 6},    {TickUnit::Hour, 12},
        {TickUnit::Day, 1},    {TickUnit::Week, 1},   {TickUnit::Month, 1},   {TickUnit::Month, 3},
        {TickUnit::Year, 1},   {TickUnit::Year, 5},   {TickUnit::Year, 10},   {TickUnit::Year, 100}};
    return steps;
}

milliseconds nominalLength(TickStep step)
{
    switch (step.unit) {
    case TickUnit::Minute: return std::chrono::minutes(step.count);
    case TickUnit::Hour: return std::chrono::hours(step.count);
    case TickUnit::Day: return days(step.count);
    case TickUnit::Week: return days(7 * step.count);
    case TickUnit::Month: return days(30 * step.count);
    case TickUnit::Year: return days(365 * step.count);
    }
    return {};
}

std::int64_t nextTickLocal(TickStep step, std::int64_t local)
{
    switch (step.unit) {
    case TickUnit::Minute:
    case TickUnit::Hour:
    case TickUnit::Day: return roundUp(local, nominalLength(step).count());
    case TickUnit::Week: return roundUp(local, 7 * kDayMs * step.count, kFirstMondayDay * kDayMs);
    case TickUnit::Month:
    case TickUnit::Year: {
        const auto [month, atStart] = monthOf(local);
        const std::int64_t months = step.unit == TickUnit::Year ? 12LL * step.count : step.count;
        return localOfMonth(roundUp(atStart ? month : month + 1, months));
    }
    }
    return local;
}

std::vector<AxisTick> axisTicks(const TimeAxis& axis, double from, double to, double width,
                                const RegionalSettings& settings, const TextWidth& textWidth)
{
    std::vector<AxisTick> ticks;
    if (!(to > from) || !(width > 0)) return ticks;
    const double pixelsPerMs = width / (to - from);
    const Instant first = axis.instantAt(from);
    const Instant last = axis.instantAt(to);

    // The shortest step whose plain labels fit between two of its ticks.
    TickStep step = tickSteps().back();
    for (const TickStep candidate : tickSteps()) {
        const double room = msOf(nominalLength(candidate)) * pixelsPerMs;
        if (room >= textWidth(tickLabel(candidate, first, false, settings)) + kTickLabelGap) {
            step = candidate;
            break;
        }
    }

    const bool underADay = step.unit == TickUnit::Minute || step.unit == TickUnit::Hour;
    const auto& folds = axis.folds();
    auto fold = folds.begin();
    double keptRight = -1e300;
    std::int64_t keptDay = 0;
    Instant previous = first - milliseconds(1);
    std::int64_t local = nextTickLocal(step, localMilliseconds(first));
    for (std::size_t made = 0; made < kMostTicks; ++made) {
        const Instant at = instantOfLocalMilliseconds(local);
        if (at > last) break;
        local = nextTickLocal(step, local + 1);
        if (at <= previous) continue;  // a local time that the clock skipped or showed twice
        previous = at;
        while (fold != folds.end() && fold->to <= at) ++fold;
        if (fold != folds.end() && fold->from < at)  // one tick stands for the whole fold
            local = std::max(local, nextTickLocal(step, localMilliseconds(fold->to)));

        const std::int64_t day = floorDiv(localMilliseconds(at), kDayMs);
        std::string label = tickLabel(step, at, underADay && (ticks.empty() || day != keptDay), settings);
        const double x = (axis.position(at) - from) * pixelsPerMs;
        const double half = textWidth(label) / 2;
        if (x - half < keptRight + kTickLabelGap) continue;
        keptRight = x + half;
        keptDay = day;
        ticks.push_back({at, x, std::move(label)});
    }
    return ticks;
}

} // namespace chronell::report
