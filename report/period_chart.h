#pragma once
// The hours per runner per period arranged as a bar chart draws them: a
// column for every period from the first to the last (those without work
// too, so that the axis keeps time), each with a runner's hours in the
// runners' order; and where the chart's range of recent periods begins.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "analysis/instant.h"
#include "report/period_hours.h"

namespace chronell::report {

struct PeriodColumn {
    Instant start;  // the local midnight that begins the period
    Instant end;
    std::string label;  // as period_hours names the period
    std::vector<std::uint64_t> busyMs;  // one per runner, in PeriodChart::runners' order
    int jobs = 0;  // of all runners, started in the period
    std::uint64_t totalMs() const;
};

struct PeriodChart {
    std::vector<std::string> runners;  // by name
    std::vector<PeriodColumn> columns;  // by time
    std::uint64_t mostBusyMs = 0;  // the tallest column's total
};

// `hours` as hoursByPeriod gives them. The columns run from the period of
// `from` (else the first hours') to that of `to` (else the last hours'); a
// span of more periods than a chart can show keeps just those with hours.
PeriodChart periodChart(const std::vector<PeriodHours>& hours, Period period, std::optional<Instant> from = {},
                        std::optional<Instant> to = {});

// The recent periods a chart shows: the last 7 days or 30 days (today's
// included), the last 12 months (this one included), or all there is.
enum class RecentSpan { Days7, Days30, Months12, All };

// The local midnight where `span` begins as seen at `now`; none for All.
std::optional<Instant> recentSpanStart(RecentSpan span, Instant now);

} // namespace chronell::report
