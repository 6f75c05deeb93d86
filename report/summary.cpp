#include "report/summary.h"

#include <algorithm>
#include <charconv>
#include <map>

#include "analysis/date_time_text.h"
#include "analysis/decimal_text.h"
#include "analysis/regional_settings.h"
#include "report/grid_printer.h"
#include "report/duration_format.h"
#include "report/json_text.h"
#include "report/running_jobs.h"

namespace chronell::report {

namespace {

constexpr const char* kNoRunner = "(no runner)";
constexpr const char* kInProgress = "In Progress";

std::string statusOf(std::int32_t state)
{
    const std::string_view word = statusWord(state);
    if (!word.empty()) return std::string(word);
    return "State " + decimalText(state);
}

} // namespace

std::string_view runnerNameOf(const JobRecord& record)
{
    return record.runnerName && !record.runnerName->empty() ? std::string_view(*record.runnerName) : kNoRunner;
}

std::string runnerOf(const JobRecord& record)
{
    return std::string(runnerNameOf(record));
}

// Gathers one block's jobs.
class SummaryBuilder::Block {
public:
    Block(std::string title, std::optional<Instant> now) : now_(now) { block_.title = std::move(title); }
    const std::string& title() const { return block_.title; }

    void add(const JobRecord& record)
    {
        ++block_.jobs;
        ++statuses_[record.state.value_or(-1)];
        if (record.leftBehind) ++block_.leftBehind;
        if (const auto running = now_ ? runningMs(record, *now_) : std::nullopt)
            block_.runningMs = std::max(block_.runningMs.value_or(0), *running);
        if (record.durationMs) block_.totalMs += *record.durationMs;
        // A waiting job has run on no runner yet.
        if (record.state != kWaitingState) {
            auto& runner = runnerTotal(record);
            ++runner.jobs;
            if (record.durationMs) runner.totalMs += *record.durationMs;
            if (record.startUtc && record.endUtc && *record.endUtc > *record.startUtc)
                runner.intervals.emplace_back(*record.startUtc, *record.endUtc);
        }
        if (record.startUtc && record.endUtc) {
            if (!block_.firstStart || *record.startUtc < *block_.firstStart) {
                block_.firstStart = record.startUtc;
                block_.firstStartShown = record.startShown;
            }
            if (!block_.lastEnd || *record.endUtc > *block_.lastEnd) {
                block_.lastEnd = record.endUtc;
                block_.lastEndShown = record.endShown;
            }
        }
        if (record.state == kErrorState || (record.error && !record.error->empty()))
            block_.errors.push_back({record.name, record.error.value_or(""), record.jobFile});
    }

    SummaryBlock finish()
    {
        for (const auto& [state, jobs] : statuses_) block_.statuses.push_back({statusOf(state), jobs});
        if (block_.firstStart && block_.lastEnd && *block_.lastEnd >= *block_.firstStart)
            block_.spanMs = static_cast<std::uint64_t>((*block_.lastEnd - *block_.firstStart).count());
        const bool timed = block_.spanMs && *block_.spanMs > 0;
        const auto share = [&](std::uint64_t ms) { return static_cast<double>(ms) / static_cast<double>(*block_.spanMs); };

        std::vector<Interval> all;
        std::uint64_t runnersBusyMs = 0;
        for (auto& [name, total] : runners_) {
            RunnerTotal runner{name, total.jobs, total.totalMs, std::nullopt};
            if (timed) {
                const std::uint64_t busyMs = unionMs(total.intervals);
                runner.busyShare = share(busyMs);
                runnersBusyMs += busyMs;
                // The runners' intervals are in order now: merged, they stay so.
                const auto middle = all.insert(all.end(), total.intervals.begin(), total.intervals.end());
                std::inplace_merge(all.begin(), middle, all.end());
            }
            block_.runners.push_back(std::move(runner));
        }
        if (timed) {
            block_.busyShare = share(unionMs(all));
            block_.runnersAtWork = share(runnersBusyMs);
        }
        return std::move(block_);
    }

private:
    using Interval = std::pair<Instant, Instant>;

    // The length of the union of the intervals.
    static std::uint64_t unionMs(std::vector<Interval>& intervals)
    {
        // Jobs mostly come in the order they started.
        if (!std::is_sorted(intervals.begin(), intervals.end())) std::sort(intervals.begin(), intervals.end());
        std::uint64_t ms = 0;
        std::optional<Interval> open;
        for (const Interval& interval : intervals) {
            if (open && interval.first <= open->second) {
                open->second = std::max(open->second, interval.second);
                continue;
            }
            if (open) ms += static_cast<std::uint64_t>((open->second - open->first).count());
            open = interval;
        }
        if (open) ms += static_cast<std::uint64_t>((open->second - open->first).count());
        return ms;
    }

    struct Total {
        int jobs = 0;
        std::uint64_t totalMs = 0;
        std::vector<Interval> intervals;  // of the jobs with both instants, in order
    };

    // Found by the record's runner name without copying it.
    Total& runnerTotal(const JobRecord& record)
    {
        const std::string_view name = runnerNameOf(record);
        const auto known = runners_.find(name);
        return known != runners_.end() ? known->second : runners_.emplace(std::string(name), Total{}).first->second;
    }

    std::optional<Instant> now_;
    SummaryBlock block_;
    std::map<std::int32_t, int> statuses_;
    std::map<std::string, Total, std::less<>> runners_;
};

namespace {

// Rows of label and value, the labels padded to one width.
class TextTable {
public:
    void row(std::string label, std::string value) { rows_.emplace_back(std::move(label), std::move(value)); }

    void appendTo(std::string& out, std::string_view indent) const
    {
        std::size_t width = 0;
        for (const auto& [label, value] : rows_) width = std::max(width, label.size());
        for (const auto& [label, value] : rows_) {
            out.append(indent).append(label);
            out.append(width - label.size() + 2, ' ').append(value).push_back('\n');
        }
    }

private:
    std::vector<std::pair<std::string, std::string>> rows_;
};

// A value rounded to `decimals` places, with the regional decimal separator.
std::string fixedText(double value, int decimals, const RegionalSettings& settings)
{
    std::int64_t scale = 1;
    for (int i = 0; i < decimals; ++i) scale *= 10;
    const auto scaled = static_cast<std::int64_t>(value * static_cast<double>(scale) + 0.5);
    std::string fraction = decimalText(scaled % scale);
    fraction.insert(0, static_cast<std::size_t>(decimals) - fraction.size(), '0');
    std::string text = decimalText(scaled / scale);
    if (settings.decimalSeparator) text.push_back(settings.decimalSeparator);
    return text + fraction;
}

std::string percentText(double share, const RegionalSettings& settings)
{
    return fixedText(share * 100, 1, settings) + " %";
}

std::string hundredthsText(double value, const RegionalSettings& settings)
{
    return fixedText(value, 2, settings);
}

void appendJsonFixed(std::string& out, const std::optional<double>& value)
{
    if (!value) {
        out.append("null");
        return;
    }
    char digits[32];
    out.append(digits, std::to_chars(digits, digits + sizeof digits, *value, std::chars_format::fixed, 4).ptr);
}

void appendBlockText(std::string& out, const SummaryBlock& block, bool formatted, const RegionalSettings& settings)
{
    out.append(block.title.empty() ? std::string("All files") : block.title).push_back('\n');
    TextTable table;
    table.row("Jobs", decimalText(block.jobs));
    for (const auto& status : block.statuses) {
        std::string jobs = decimalText(status.jobs);
        if (status.status == kInProgress && block.runningMs) jobs += " (running " + clockText(*block.runningMs) + ")";
        table.row("  " + status.status, std::move(jobs));
    }
    if (block.leftBehind > 0) table.row("  Left behind", decimalText(block.leftBehind));
    table.row("Total duration", millisecondsText(block.totalMs, formatted, settings));
    table.row("First start", block.firstStartShown ? dateTimeText(*block.firstStartShown, settings) : "-");
    table.row("Last end", block.lastEndShown ? dateTimeText(*block.lastEndShown, settings) : "-");
    table.row("Span", block.spanMs ? millisecondsText(*block.spanMs, formatted, settings) : "-");
    table.row("Busy", block.busyShare ? percentText(*block.busyShare, settings) : "-");
    table.row("Runners at work", block.runnersAtWork ? hundredthsText(*block.runnersAtWork, settings) : "-");
    table.appendTo(out, "  ");

    TextTable runners;
    runners.row("Runner", "Jobs  Total  Busy");
    for (const auto& runner : block.runners) {
        std::string jobs = decimalText(runner.jobs);
        jobs.insert(0, jobs.size() < 4 ? 4 - jobs.size() : 0, ' ');
        runners.row(runner.runner, jobs + "  " + millisecondsText(runner.totalMs, formatted, settings) + "  "
                                       + (runner.busyShare ? percentText(*runner.busyShare, settings) : "-"));
    }
    runners.appendTo(out, "  ");

    if (!block.errors.empty()) {
        out.append("  Errors\n");
        for (const auto& error : block.errors) {
            out.append("    ").append(error.jobName);
            if (block.title.empty()) out.append(" (").append(error.jobFile).append(")");
            out.append(": ").append(error.error).push_back('\n');
        }
    }
    out.push_back('\n');
}

void appendBlockJson(std::string& out, const SummaryBlock& block, std::string_view indent)
{
    const std::string inner = std::string(indent) + "  ";
    out.append("{\n").append(inner).append("\"file\": ");
    if (block.title.empty())
        out.append("null");
    else
        appendJsonString(out, block.title);
    out.append(",\n").append(inner).append("\"jobs\": ").append(decimalText(block.jobs));
    out.append(",\n").append(inner).append("\"by_status\": {");
    for (std::size_t i = 0; i < block.statuses.size(); ++i) {
        if (i > 0) out.append(", ");
        appendJsonString(out, block.statuses[i].status);
        out.append(": ").append(decimalText(block.statuses[i].jobs));
    }
    out.append("},\n").append(inner).append("\"running_ms\": ");
    appendJsonNumber(out, block.runningMs);
    out.append(",\n").append(inner).append("\"left_behind\": ").append(decimalText(block.leftBehind));
    out.append(",\n").append(inner).append("\"total_ms\": ").append(decimalText(static_cast<std::int64_t>(block.totalMs)));
    out.append(",\n").append(inner).append("\"first_start_utc\": ");
    appendJsonInstant(out, block.firstStart);
    out.append(",\n").append(inner).append("\"last_end_utc\": ");
    appendJsonInstant(out, block.lastEnd);
    out.append(",\n").append(inner).append("\"span_ms\": ");
    appendJsonNumber(out, block.spanMs);
    out.append(",\n").append(inner).append("\"busy_share\": ");
    appendJsonFixed(out, block.busyShare);
    out.append(",\n").append(inner).append("\"runners_at_work\": ");
    appendJsonFixed(out, block.runnersAtWork);
    out.append(",\n").append(inner).append("\"runners\": [");
    for (std::size_t i = 0; i < block.runners.size(); ++i) {
        out.append(i > 0 ? ", " : "").append("{\"runner\": ");
        appendJsonString(out, block.runners[i].runner);
        out.append(", \"jobs\": ").append(decimalText(block.runners[i].jobs));
        out.append(", \"total_ms\": ").append(decimalText(static_cast<std::int64_t>(block.runners[i].totalMs)));
        out.append(", \"busy_share\": ");
        appendJsonFixed(out, block.runners[i].busyShare);
        out.append("}");
    }
    out.append("],\n").append(inner).append("\"errors\": [");
    for (std::size_t i = 0; i < block.errors.size(); ++i) {
        out.append(i > 0 ? ", " : "").append("{\"job\": ");
        appendJsonString(out, block.errors[i].jobName);
        out.append(", \"error\": ");
        appendJsonString(out, block.errors[i].error);
        out.append(", \"jobfile\": ");
        appendJsonString(out, block.errors[i].jobFile);
        out.append("}");
    }
    out.append("]\n").append(indent).append("}");
}

} // namespace

SummaryBuilder::SummaryBuilder(std::optional<Instant> now) : run_(std::make_unique<Block>("", now)), now_(now) {}

SummaryBuilder::~SummaryBuilder() = default;

void SummaryBuilder::add(const JobRecord& record)
{
    if (record.twoPass) return;
    if (!file_ || record.jobFile != file_->title()) {
        if (file_) summary_.files.push_back(file_->finish());
        file_ = std::make_unique<Block>(record.jobFile, now_);
    }
    file_->add(record);
    run_->add(record);
}

Summary SummaryBuilder::finish()
{
    if (file_) summary_.files.push_back(file_->finish());
    file_.reset();
    summary_.run = run_->finish();
    return std::move(summary_);
}

Summary summarize(const std::vector<JobRecord>& records, std::optional<Instant> now)
{
    SummaryBuilder builder(now);
    for (const JobRecord& record : records) builder.add(record);
    return builder.finish();
}

std::string summaryText(const Summary& summary, bool formatted, const RegionalSettings& settings)
{
    std::string out;
    for (const auto& block : summary.files) appendBlockText(out, block, formatted, settings);
    appendBlockText(out, summary.run, formatted, settings);
    return out;
}

std::string summaryJson(const Summary& summary)
{
    std::string out = "{\n  \"files\": [";
    for (std::size_t i = 0; i < summary.files.size(); ++i) {
        out.append(i > 0 ? ",\n    " : "\n    ");
        appendBlockJson(out, summary.files[i], "    ");
    }
    out.append(summary.files.empty() ? "],\n  \"run\": " : "\n  ],\n  \"run\": ");
    appendBlockJson(out, summary.run, "  ");
    out.append("\n}\n");
    return out;
}

} // namespace chronell::report
