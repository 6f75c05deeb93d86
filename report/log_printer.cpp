#include "report/log_printer.h"

#include "analysis/date_time_text.h"
#include "analysis/decimal_text.h"
#include "analysis/duration.h"

namespace chronell::report {

LogPrinter::LogPrinter(LineOutput output, const RegionalSettings& settings, bool formatted)
    : output_(std::move(output)), settings_(settings), dateTimes_(settings), formatted_(formatted)
{
}

void LogPrinter::fileBegun(std::string_view name)
{
    output_(name);
    output_("----------------");
}

void LogPrinter::jobsCounted(std::int32_t count, int)
{
    labelled("Number of jobs: ", decimalText(count));
}

void LogPrinter::job(const JobEvent& event)
{
    const JobRecord& record = event.record;
    labelled("Job name: ", record.name);
    if (event.read == JobRead::Name) return;
    labelled("Input: ", record.input);
    if (event.read == JobRead::Input) return;
    labelled("Output: ", record.output);
    if (event.read == JobRead::Output) return;
    labelled("State: ", decimalText(record.state.value_or(0)));
    if (event.read == JobRead::State) return;
    dateTimeLine("Start_time: ", event.startShown);
    if (event.read == JobRead::StartTime) return;
    dateTimeLine("End_time: ", event.endShown);
    const DurationFields fields = durationFieldsFromMilliseconds(record.durationMs.value_or(0));
    output_(durationText(fields, secondsValue(fields), formatted_, settings_));
}

void LogPrinter::fileEnded(const FileEndEvent& event)
{
    switch (event.how) {
    case FileEnd::CannotOpen:
        output_("Can't open file, or file is empty.");
        return;
    case FileEnd::NoJobCount:
        output_("Can't determine number of jobs.");
        return;
    case FileEnd::UnexpectedEnd:
        output_("Enexpected end of file.");
        return;
    case FileEnd::Done:
        break;
    }
    if (event.secondsSum > 0) {
        output_("================");
        output_(durationText(durationFieldsFromMilliseconds(event.totalMilliseconds), event.secondsSum, formatted_,
                             settings_));
        output_("");
    } else {
        output_("Sum of jobs duration is 0.");
    }
}

void LogPrinter::labelled(std::string_view label, std::string_view value)
{
    line_.assign(label).append(value);
    output_(line_);
}

void LogPrinter::dateTimeLine(std::string_view label, TDateTime value)
{
    line_.assign(label);
    dateTimes_.append(line_, value);
    output_(line_);
}

} // namespace chronell::report
