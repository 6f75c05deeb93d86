#include "report/period_hours.h"

#include <algorithm>
#include <chrono>
#include <map>
#include <utility>

#include "analysis/duration.h"
#include "report/json_text.h"
#include "report/local_instant.h"
#include "report/summary.h"

namespace chronell::report {

namespace {

using namespace std::chrono;

// A job longer than this many periods has stamps that are not an encode's;
// its time counts in the period it started in rather than walking them all.
constexpr int kMostPeriodsOfAJob = 400;

sys_days localDay(Instant instant)
{
    return floor<days>(sys_time<milliseconds>(milliseconds(localMilliseconds(instant))));
}

Instant instantOfLocalDay(sys_days day)
{
    return instantOfLocalMilliseconds(duration_cast<milliseconds>(day.time_since_epoch()).count());
}

sys_days firstDayOf(sys_days day, Period period)
{
    switch (period) {
    case Period::Day: return day;
    case Period::Week: return day - (weekday(day) - Monday);
    case Period::Month: {
        const year_month_day date(day);
        return sys_days(date.year() / date.month() / 1);
    }
    }
    return day;
}

sys_days firstDayAfter(sys_days first, Period period)
{
    switch (period) {
    case Period::Day: return first + days(1);
    case Period::Week: return first + days(7);
    case Period::Month: return sys_days(year_month_day(first) + months(1));
    }
    return first + days(1);
}

std::string label(sys_days first, Period period)
{
    const year_month_day date(first);
    std::string text;
    if (period == Period::Week) {
        // The ISO week: the one holding the Thursday of this Monday's week.
        const year_month_day thursday(first + days(3));
        const sys_days firstThursday = sys_days(thursday.year() / January / Thursday[1]);
        const auto week = (sys_days(thursday) - firstThursday).count() / 7 + 1;
        appendZeroPadded(text, static_cast<std::uint64_t>(static_cast<int>(thursday.year())), 4);
        text += "-W";
        appendZeroPadded(text, static_cast<std::uint64_t>(week), 2);
        return text;
    }
    appendZeroPadded(text, static_cast<std::uint64_t>(static_cast<int>(date.year())), 4);
    text += '-';
    appendZeroPadded(text, static_cast<unsigned>(date.month()), 2);
    if (period == Period::Day) {
        text += '-';
        appendZeroPadded(text, static_cast<unsigned>(date.day()), 2);
    }
    return text;
}

PeriodHours periodFrom(sys_days first, Period period)
{
    PeriodHours hours;
    hours.periodStart = instantOfLocalDay(first);
    hours.periodEnd = instantOfLocalDay(firstDayAfter(first, period));
    hours.period = label(first, period);
    return hours;
}

// Hours with three decimals, rounded half up.
std::string hoursText(std::uint64_t milliseconds)
{
    const std::uint64_t thousandths = (milliseconds + 1'800) / 3'600;
    std::string text = std::to_string(thousandths / 1000) + ".";
    appendZeroPadded(text, thousandths % 1000, 3);
    return text;
}

} // namespace

PeriodHours periodOf(Instant instant, Period period)
{
    return periodFrom(firstDayOf(localDay(instant), period), period);
}

PeriodHours& PeriodHoursBuilder::entry(sys_days first, std::string_view runner)
{
    auto [period, added] = periods_.try_emplace(first);
    if (added) period->second.period = periodFrom(first, period_);
    auto& byName = period->second.byName;
    if (const auto known = byName.find(runner); known != byName.end()) return known->second;
    PeriodHours hours = period->second.period;
    hours.runner = runner;
    return byName.emplace(std::string(runner), std::move(hours)).first->second;
}

void PeriodHoursBuilder::add(const JobRecord& record)
{
    if (record.twoPass || !record.startUtc || !record.endUtc || *record.endUtc < *record.startUtc) return;
    const Instant start = *record.startUtc;
    const Instant end = *record.endUtc;
    const std::string_view runner = runnerNameOf(record);
    sys_days first = firstDayOf(localDay(start), period_);
    PeriodHours* hours = &entry(first, runner);
    ++hours->jobs;
    for (int walked = 0;; ++walked) {
        if (walked == kMostPeriodsOfAJob) {
            hours->busyMs += static_cast<std::uint64_t>((end - std::max(start, hours->periodStart)).count());
            return;
        }
        const Instant from = std::max(start, hours->periodStart);
        const Instant to = std::min(end, hours->periodEnd);
        if (to > from) hours->busyMs += static_cast<std::uint64_t>((to - from).count());
        if (end <= hours->periodEnd) return;
        first = firstDayAfter(first, period_);
        hours = &entry(first, runner);
    }
}

std::vector<PeriodHours> PeriodHoursBuilder::finish()
{
    std::vector<PeriodHours> result;
    for (auto& [first, runners] : periods_)
        for (auto& [name, hours] : runners.byName)
            if (hours.busyMs > 0 || hours.jobs > 0) result.push_back(std::move(hours));
    periods_.clear();
    return result;
}

std::vector<PeriodHours> hoursByPeriod(const std::vector<JobRecord>& records, Period period)
{
    PeriodHoursBuilder builder(period);
    for (const JobRecord& record : records) builder.add(record);
    return builder.finish();
}

void writePeriodHours(const std::vector<PeriodHours>& hours, ExportFormat format, TextSink& sink)
{
    std::string out;
    if (format == ExportFormat::Json) {
        out = "[";
        for (std::size_t i = 0; i < hours.size(); ++i) {
            const PeriodHours& h = hours[i];
            out.append(i == 0 ? "\n  {" : ",\n  {");
            out.append("\"period\": ");
            appendJsonString(out, h.period);
            out.append(", \"start\": ");
            appendJsonInstant(out, h.periodStart);
            out.append(", \"end\": ");
            appendJsonInstant(out, h.periodEnd);
            out.append(", \"runner\": ");
            appendJsonString(out, h.runner);
            out.append(", \"jobs\": ").append(std::to_string(h.jobs));
            out.append(", \"hours\": ").append(hoursText(h.busyMs));
            out.append(", \"busy_ms\": ").append(std::to_string(h.busyMs)).append("}");
        }
        out.append(hours.empty() ? "]\n" : "\n]\n");
        sink.append(out);
        return;
    }
    const bool csv = format == ExportFormat::Csv;
    const char separator = csv ? ',' : '\t';
    const char* lineEnd = csv ? "\r\n" : "\n";
    const auto field = [&out, csv](const std::string& text) {
        if (csv) appendCsvField(out, text);
        else out.append(text);
    };
    out.append("Period").push_back(separator);
    out.append("Start").push_back(separator);
    out.append("Runner").push_back(separator);
    out.append("Jobs").push_back(separator);
    out.append("Hours").append(lineEnd);
    for (const PeriodHours& h : hours) {
        out.append(h.period).push_back(separator);
        out.append(isoUtcText(h.periodStart)).push_back(separator);
        field(h.runner);
        out.push_back(separator);
        out.append(std::to_string(h.jobs)).push_back(separator);
        out.append(hoursText(h.busyMs)).append(lineEnd);
    }
    sink.append(out);
}

} // namespace chronell::report
