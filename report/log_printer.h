#pragma once
// The log printer: makes the log's lines from a run's events. Per file: its
// name and a rule, then the job count, each job's fields and duration as far
// as they were read, and how the file ended (its sum when it was done).
#include <functional>
#include <string>
#include <string_view>

#include "analysis/date_time_text.h"
#include "analysis/run_events.h"

namespace chronell {
struct RegionalSettings;
}

namespace chronell::report {

class LogPrinter : public RunSink {
public:
    // Takes one line of the log, without its line end.
    using LineOutput = std::function<void(std::string_view line)>;

    // Dates and numbers follow `settings`; `formatted` chooses hh:mm:ss.zzz
    // durations over seconds.
    LogPrinter(LineOutput output, const RegionalSettings& settings, bool formatted);

    void fileBegun(std::string_view name) override;
    void jobsCounted(std::int32_t count, int reservedRows) override;
    void job(const JobEvent& event) override;
    void fileEnded(const FileEndEvent& event) override;

private:
    // A label followed by a value.
    void labelled(std::string_view label, std::string_view value);
    void dateTimeLine(std::string_view label, TDateTime value);

    LineOutput output_;
    const RegionalSettings& settings_;
    DateTimeTexts dateTimes_;
    bool formatted_;
    std::string line_;  // the line being put together, kept so that its memory is reused
};

} // namespace chronell::report
