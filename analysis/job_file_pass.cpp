#include "analysis/job_file_pass.h"

#include <algorithm>
#include <cstdint>
#include <string_view>

#include "analysis/date_time.h"
#include "analysis/date_time_text.h"
#include "analysis/decimal_text.h"
#include "analysis/duration.h"
#include "analysis/job_extras.h"
#include "analysis/job_format.h"
#include "analysis/processing_target.h"
#include "analysis/regional_settings.h"
#include "platform/local_time.h"
#include "platform/paths.h"
#include "platform/read_file.h"

namespace chronell {

namespace {

constexpr std::int64_t kTicksPerMillisecond = 10'000;
constexpr std::int64_t kMillisecondsFrom1601To1970 = 11'644'473'600'000;

std::uint64_t ticksOf(const FileTime& time)
{
    return (static_cast<std::uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

Instant instantOf(const FileTime& time)
{
    const auto milliseconds = static_cast<std::int64_t>(ticksOf(time)) / kTicksPerMillisecond;
    return Instant(std::chrono::milliseconds(milliseconds - kMillisecondsFrom1601To1970));
}

// One time stamp as read: its value as written, from which durations come,
// and the value shown, in local time where the file's stamps are UTC.
struct Stamp {
    bool set = false;  // not both words 0
    TDateTime written = 0;
    TDateTime shown = 0;
    std::optional<Instant> instant;  // absent when unset
};

Stamp readStamp(const TimeStampWords& words, bool utcStamps)
{
    Stamp stamp;
    const FileTime fileTime = timeStampFileTime(words.high, words.low);
    stamp.set = ticksOf(fileTime) != 0;
    if (!stamp.set || !utcStamps) {
        stamp.written = FileTime2DateTime(fileTime);
        stamp.shown = stamp.written;
        const auto utc = stamp.set ? localToUtcFileTime(fileTime) : std::nullopt;
        if (utc) stamp.instant = instantOf(*utc);
        return stamp;
    }
    // The shown value is the one held to the calendar's limits.
    const auto local = utcToLocalFileTime(fileTime);
    stamp.shown = FileTime2DateTime(local ? *local : fileTime);
    stamp.written = local ? FileTime2DateTime(fileTime) : stamp.shown;
    stamp.instant = instantOf(fileTime);
    return stamp;
}

std::string_view statusWord(std::int32_t state)
{
    static constexpr std::string_view words[] = {"Waiting", "In Progress", "Done",
                                                 "Postponed", "Aborted", "Error"};
    if (state < 0 || state >= static_cast<std::int32_t>(std::size(words))) return {};
    return words[state];
}

// Walks the lines of one file; the current line is the line where the last
// marker was found.
class JobFileReader {
public:
    explicit JobFileReader(const JobListText& text) : text_(text) {}

    // The first positive job count among the lines before the last (the only
    // line of a one-line file); 0 or less when there is none. The current
    // line is then the line after the last line looked at.
    std::int32_t findJobCount()
    {
        std::int32_t count = 0;
        JobListText::Line line = text_.first();
        for (;;) {
            if (startsWithMarker(text_.view(line), kSignatureMarker)) utcStamps_ = true;
            if (startsWithMarker(text_.view(line), kJobCountMarker)) count = takeJobCount(text_.view(line));
            if (count > 0 || !text_.hasLineAfter(line)) break;
            const JobListText::Line next = text_.lineAfter(line);
            if (!text_.hasLineAfter(next)) break;  // the next line is the last
            line = next;
        }
        current_ = text_.hasLineAfter(line) ? text_.lineAfter(line) : line;
        return count;
    }

    // Moves to the next line after the current one that contains the marker.
    bool find(std::string_view marker)
    {
        const auto found = text_.findAfter(current_, marker);
        if (found) current_ = *found;
        return found.has_value();
    }

    std::string_view line() const { return text_.view(current_); }

    // Whether a signature line stood before the job count: the writer's
    // time stamps are then UTC.
    bool utcStamps() const { return utcStamps_; }

    // The optional lines of the job whose state line is the current line, up
    // to its script or the next job; the current line stays where it is.
    JobExtras readExtras() const
    {
        JobExtras extras;
        for (JobListText::Line line = current_; text_.hasLineAfter(line);) {
            line = text_.lineAfter(line);
            const std::string_view view = text_.view(line);
            if (startsWithMarker(view, kScriptMarker) || view.find(kJobMarker) != std::string_view::npos) break;
            readJobExtraLine(view, extras);
        }
        return extras;
    }

private:
    const JobListText& text_;
    JobListText::Line current_;
    bool utcStamps_ = false;
};

// The pass itself, with the target, the settings and the row counter at hand.
class JobFilePass {
public:
    JobFilePass(ProcessingTarget& target, const RegionalSettings& settings, int& rowCounter,
                const std::string& path, bool formattedTime)
        : target_(target),
          settings_(settings),
          rowCounter_(rowCounter),
          jobFileName_(hostFileNamePart(path)),
          formatted_(formattedTime)
    {
    }

    void run(const JobListText& text)
    {
        if (text.empty()) {
            target_.appendLogLine("Can't open file, or file is empty.");
            return;
        }
        JobFileReader reader(text);
        const std::int32_t count = reader.findJobCount();
        if (count <= 0) {
            target_.appendLogLine("Can't determine number of jobs.");
            return;
        }
        logLine("Number of jobs: ", decimalText(count));

        // The count is not trusted: no file holds more jobs than it has lines.
        const int reserved = static_cast<int>(text.lineCountUpTo(static_cast<std::size_t>(count)));
        target_.setRowCount(target_.rowCount() + reserved);

        JobRecord previous;
        std::uint64_t previousMilliseconds = 0;
        std::uint64_t totalMilliseconds = 0;
        double secondsSum = 0;
        for (std::int32_t j = 0; j < count; ++j) {
            JobRecord job;
            std::uint64_t milliseconds = 0;
            if (!readJob(reader, job, milliseconds)) {
                target_.appendLogLine("Enexpected end of file.");
                target_.setRowCount(target_.rowCount() - (reserved - j));
                return;
            }
            totalMilliseconds += milliseconds;
            secondsSum += secondsValue(durationFieldsFromMilliseconds(milliseconds));
            if (j > 0 && job.output == previous.output)
                writeTwoPassRow(previous, job, milliseconds + previousMilliseconds);
            previous = std::move(job);
            previousMilliseconds = milliseconds;
        }

        if (secondsSum > 0) {
            target_.appendLogLine("================");
            target_.appendLogLine(durationText(durationFieldsFromMilliseconds(totalMilliseconds),
                                               secondsSum, formatted_, settings_));
            target_.appendLogLine("");
        } else {
            target_.appendLogLine("Sum of jobs duration is 0.");
        }
    }

private:
    // Logs a label followed by a value.
    void logLine(std::string_view label, std::string_view value)
    {
        line_.assign(label).append(value);
        target_.appendLogLine(line_);
    }

    // Reads, logs and writes the row and record of one job; false when the
    // file ends first.
    bool readJob(JobFileReader& reader, JobRecord& job, std::uint64_t& milliseconds)
    {
        if (!reader.find(kJobMarker)) return false;
        job.name = takeTextValue(reader.line(), kJobNameColumn);
        logLine("Job name: ", job.name);

        if (!reader.find(kInputMarker)) return false;
        job.input = takeTextValue(reader.line(), kInputColumn);
        logLine("Input: ", job.input);

        if (!reader.find(kOutputMarker)) return false;
        job.output = takeTextValue(reader.line(), kOutputColumn);
        logLine("Output: ", job.output);

        if (!reader.find(kStateMarker)) return false;
        job.state = takeState(reader.line());
        logLine("State: ", decimalText(*job.state));
        JobExtras extras = reader.readExtras();

        if (!reader.find(kStartTimeMarker)) return false;
        const Stamp start = readStamp(takeTimeStampWords(reader.line(), kStartHighColumn, kStartLowColumn),
                                      reader.utcStamps());
        startText_.clear();
        appendDateTimeText(startText_, start.shown, settings_);
        logLine("Start_time: ", startText_);

        if (!reader.find(kEndTimeMarker)) return false;
        const Stamp end = readStamp(takeTimeStampWords(reader.line(), kEndHighColumn, kEndLowColumn),
                                    reader.utcStamps());
        endText_.clear();
        appendDateTimeText(endText_, end.shown, settings_);
        logLine("End_time: ", endText_);

        // A stamp that is not set (a waiting or running job) gives no duration.
        const bool timed = start.set && end.set;
        milliseconds = timed ? durationMilliseconds(end.written - start.written) : 0;
        const DurationFields fields = durationFieldsFromMilliseconds(milliseconds);
        const double seconds = secondsValue(fields);
        const std::string duration = durationText(fields, seconds, formatted_, settings_);
        target_.appendLogLine(duration);

        const int row = ++rowCounter_;
        target_.setCell(ColName, row, job.name);
        target_.setCell(ColSource, row, windowsFileNamePart(job.input));
        target_.setCell(ColDest, row, windowsFileNamePart(job.output));
        target_.setCell(ColStatus, row, statusWord(*job.state));
        target_.setCell(ColJobfile, row, jobFileName_);
        if (seconds > 0) {
            target_.setCell(ColStart, row, startText_);
            target_.setCell(ColEnd, row, endText_);
            target_.setCell(ColDur, row, duration);
        }

        job.row = row;
        job.jobFile = jobFileName_;
        job.startUtc = start.instant;
        job.endUtc = end.instant;
        if (start.set) job.startShown = start.shown;
        if (end.set) job.endShown = end.shown;
        if (timed) job.durationMs = milliseconds;
        job.runnerName = std::move(extras.runnerName);
        job.runnerId = std::move(extras.runnerId);
        job.error = std::move(extras.error);
        job.id = std::move(extras.id);
        target_.addRecord(job);
        return true;
    }

    // The row of a pair of consecutive jobs with the same output; its
    // duration is the sum of the two jobs' durations.
    void writeTwoPassRow(const JobRecord& first, const JobRecord& second, std::uint64_t pairMilliseconds)
    {
        const int row = ++rowCounter_;
        target_.setRowCount(target_.rowCount() + 1);
        target_.setCell(ColName, row, "2pass");
        target_.setCell(ColSource, row, windowsFileNamePart(second.input));
        target_.setCell(ColDest, row, windowsFileNamePart(second.output));
        target_.setCell(ColJobfile, row, jobFileName_);
        const DurationFields fields = durationFieldsFromMilliseconds(pairMilliseconds);
        const double seconds = secondsValue(fields);
        if (seconds > 0) target_.setCell(ColDur, row, durationText(fields, seconds, formatted_, settings_));

        JobRecord pair;
        pair.row = row;
        pair.twoPass = true;
        pair.name = "2pass";
        pair.input = second.input;
        pair.output = second.output;
        pair.startUtc = first.startUtc;
        pair.endUtc = second.endUtc;
        pair.startShown = first.startShown;
        pair.endShown = second.endShown;
        if (first.durationMs || second.durationMs) pair.durationMs = pairMilliseconds;
        pair.jobFile = jobFileName_;
        target_.addRecord(pair);
    }

    ProcessingTarget& target_;
    const RegionalSettings& settings_;
    int& rowCounter_;
    std::string_view jobFileName_;
    bool formatted_;
    // Texts rebuilt for every job, kept so that their memory is reused.
    std::string line_;  // the log line being put together
    std::string startText_;
    std::string endText_;
};

} // namespace

void proc_file(ProcessingTarget& target, const RegionalSettings& settings, int& rowCounter,
               const std::string& path, bool formattedTime, std::string& fileBuffer)
{
    readWholeFile(path, fileBuffer);  // a file that cannot be read has no lines
    JobFilePass(target, settings, rowCounter, path, formattedTime).run(JobListText(fileBuffer));
}

void proc_file(ProcessingTarget& target, const RegionalSettings& settings, int& rowCounter,
               const std::string& path, bool formattedTime)
{
    std::string fileBuffer;
    proc_file(target, settings, rowCounter, path, formattedTime, fileBuffer);
}

} // namespace chronell
