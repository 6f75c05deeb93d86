#pragma once
// Encoding hours per runner per day, week (Monday to Sunday) or month, in
// local time: a job's time is split at the periods' local midnights, so a
// night's encode counts in both days it touches, and a day of a clock change
// has its 23 or 25 hours.
#include <chrono>
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "analysis/job_record.h"
#include "report/row_export.h"

namespace chronell::report {

enum class Period { Day, Week, Month };

struct PeriodHours {
    Instant periodStart;  // the local midnight that begins the period
    Instant periodEnd;    // the one that begins the next
    std::string period;   // "2026-03-29", "2026-W13" (ISO week), "2026-03"
    std::string runner;   // as the summary names it
    int jobs = 0;         // the runner's jobs that started in the period
    std::uint64_t busyMs = 0;  // the part of their time within the period
};

// Sums the hours record by record, so that the records need not be kept.
// By period, then runner name; two-pass rows and jobs without both times
// add nothing.
class PeriodHoursBuilder {
public:
    explicit PeriodHoursBuilder(Period period) : period_(period) {}
    void add(const JobRecord& record);
    std::vector<PeriodHours> finish();

private:
    // A period met: its bounds and label, made once, and its runners' hours.
    struct Runners {
        PeriodHours period;
        std::map<std::string, PeriodHours, std::less<>> byName;
    };
    PeriodHours& entry(std::chrono::sys_days first, std::string_view runner);

    Period period_;
    // By the period's first local day.
    std::map<std::chrono::sys_days, Runners> periods_;
};

std::vector<PeriodHours> hoursByPeriod(const std::vector<JobRecord>& records, Period period);

// The period of an instant: its local start and end, and its label.
PeriodHours periodOf(Instant instant, Period period);

// As TSV or CSV (header Period, Start, Runner, Jobs, Hours; hours with three
// decimals and a '.') or JSON (an array of objects: period, start and end in
// ISO 8601 UTC, runner, jobs, hours, busy_ms).
void writePeriodHours(const std::vector<PeriodHours>& hours, ExportFormat format, TextSink& sink);

} // namespace chronell::report
