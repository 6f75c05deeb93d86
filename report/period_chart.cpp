#include "report/period_chart.h"

#include <algorithm>
#include <chrono>
#include <map>

#include "report/local_instant.h"

namespace chronell::report {

namespace {

using namespace std::chrono;

// Daily columns over a lifetime of work; a stamp far off (a year 9999)
// would otherwise ask for millions.
constexpr std::size_t kMostColumns = 20'000;

PeriodColumn columnOf(const PeriodHours& period, std::size_t runners)
{
    PeriodColumn column;
    column.start = period.periodStart;
    column.end = period.periodEnd;
    column.label = period.period;
    column.busyMs.assign(runners, 0);
    return column;
}

sys_days localDay(Instant instant)
{
    return floor<days>(sys_time<milliseconds>(milliseconds(localMilliseconds(instant))));
}

Instant localMidnight(sys_days day)
{
    return instantOfLocalMilliseconds(duration_cast<milliseconds>(day.time_since_epoch()).count());
}

} // namespace

std::uint64_t PeriodColumn::totalMs() const
{
    std::uint64_t total = 0;
    for (const std::uint64_t ms : busyMs) total += ms;
    return total;
}

PeriodChart periodChart(const std::vector<PeriodHours>& hours, Period period, std::optional<Instant> from,
                        std::optional<Instant> to)
{
    PeriodChart chart;
    for (const PeriodHours& h : hours) chart.runners.push_back(h.runner);
    std::sort(chart.runners.begin(), chart.runners.end());
    chart.runners.erase(std::unique(chart.runners.begin(), chart.runners.end()), chart.runners.end());
    if (hours.empty() && (!from || !to)) return chart;

    // Every period between the ends, by its start.
    std::map<Instant, PeriodColumn> columns;
    const Instant first = from ? periodOf(*from, period).periodStart : hours.front().periodStart;
    const Instant last = to ? periodOf(*to, period).periodStart : hours.back().periodStart;
    for (PeriodHours at = periodOf(first, period); at.periodStart <= last && columns.size() <= kMostColumns;
         at = periodOf(at.periodEnd, period))
        columns.emplace(at.periodStart, columnOf(at, chart.runners.size()));
    if (columns.size() > kMostColumns) columns.clear();

    for (const PeriodHours& h : hours) {
        const std::size_t runner = static_cast<std::size_t>(
            std::lower_bound(chart.runners.begin(), chart.runners.end(), h.runner) - chart.runners.begin());
        PeriodColumn& column = columns.try_emplace(h.periodStart, columnOf(h, chart.runners.size())).first->second;
        column.busyMs[runner] += h.busyMs;
        column.jobs += h.jobs;
    }
    // Hours outside the ends (a job that ran on past `to`) are not shown.
    for (auto& [start, column] : columns) {
        if ((from && column.end <= *from) || (to && start > last)) continue;
        chart.mostBusyMs = std::max(chart.mostBusyMs, column.totalMs());
        chart.columns.push_back(std::move(column));
    }
    return chart;
}

std::optional<Instant> recentSpanStart(RecentSpan span, Instant now)
{
    const sys_days today = localDay(now);
    switch (span) {
    case RecentSpan::Days7: return localMidnight(today - days(6));
    case RecentSpan::Days30: return localMidnight(today - days(29));
    case RecentSpan::Months12: {
        const year_month_day date(today);
        return localMidnight(sys_days((date.year() / date.month() / 1) - months(11)));
    }
    case RecentSpan::All: return std::nullopt;
    }
    return std::nullopt;
}

} // namespace chronell::report
