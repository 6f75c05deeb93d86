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
#include "platform/chronell_error.h"
#include "platform/local_time.h"
#include "platform/paths.h"
#include "platform/read_file.h"

namespace chronell {

namespace {

std::uint64_t ticksOf(const FileTime& time)
{
    return (static_cast<std::uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

// One time stamp as read: its value as written, from which durations come,
// and the value shown, in local time where the file's stamps are UTC.
struct Stamp {
    FileTime fileTime;
    bool set = false;  // not both words 0
    bool utc = false;
    TDateTime written = 0;
    TDateTime shown = 0;
};

Stamp readStamp(const TimeStampWords& words, bool utcStamps)
{
    Stamp stamp;
    stamp.fileTime = timeStampFileTime(words.high, words.low);
    stamp.set = ticksOf(stamp.fileTime) != 0;
    stamp.utc = utcStamps;
    stamp.written = FileTime2DateTime(stamp.fileTime);
    stamp.shown = stamp.written;
    if (stamp.set && utcStamps) {
        // The shown value, too, is held to the calendar's limits.
        if (const auto local = utcToLocalFileTime(stamp.fileTime)) stamp.shown = FileTime2DateTime(*local);
    }
    return stamp;
}

// The instant of a set stamp: UTC as written, or the local wall-clock time
// of an older writer taken in this machine's time zone.
std::optional<Instant> instantOf(const Stamp& stamp)
{
    if (!stamp.set) return std::nullopt;
    if (stamp.utc) return instantOf(stamp.fileTime);
    const auto utc = localToUtcFileTime(stamp.fileTime);
    return utc ? std::optional<Instant>(instantOf(*utc)) : std::nullopt;
}

// The instants and shown values of a record's start and end.
void setSpan(JobRecord& record, const Stamp& start, const Stamp& end)
{
    record.startUtc = instantOf(start);
    record.endUtc = instantOf(end);
    if (start.set) record.startShown = start.shown;
    if (end.set) record.endShown = end.shown;
}

// One job as read; its texts point into the file's bytes.
struct Job {
    int row = 0;
    std::string_view name;
    std::string_view input;
    std::string_view output;
    std::int32_t state = 0;
    Stamp start;
    Stamp end;
    bool timed = false;  // both stamps set
    std::uint64_t milliseconds = 0;
};

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
        current_ = text_.first();
        for (;;) {
            const std::string_view line = text_.view(current_);
            if (startsWithMarker(line, kSignatureMarker)) utcStamps_ = true;
            if (startsWithMarker(line, kJobCountMarker)) count = takeJobCount(line);
            if (count > 0 || !text_.hasLineAfter(current_)) break;
            const JobListText::Line next = text_.lineAfter(current_);
            if (!text_.hasLineAfter(next)) break;  // the next line is the last
            current_ = next;
        }
        if (text_.hasLineAfter(current_)) current_ = text_.lineAfter(current_);
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
    // The line looked at last: the place of an error in reading it.
    std::size_t lineNumber() const { return text_.lineNumber(current_); }

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
          path_(path),
          jobFileName_(hostFileNamePart(path)),
          formatted_(formattedTime),
          keepsRecords_(target.keepsRecords())
    {
    }

    void run(const JobListText& text)
    {
        if (text.empty()) {
            target_.appendLogLine("Can't open file, or file is empty.");
            return;
        }
        JobFileReader reader(text);
        try {
            readJobs(text, reader);
        } catch (ChronellError& error) {
            error.setPlace(path_, reader.lineNumber());
            throw;
        }
    }

private:
    void readJobs(const JobListText& text, JobFileReader& reader)
    {
        const std::int32_t count = reader.findJobCount();
        if (count <= 0) {
            target_.appendLogLine("Can't determine number of jobs.");
            return;
        }
        logLine("Number of jobs: ", decimalText(count));

        // The count is not trusted: no file holds more jobs than it has lines.
        const int reserved = static_cast<int>(text.lineCountUpTo(static_cast<std::size_t>(count)));
        target_.setRowCount(target_.rowCount() + reserved);

        Job previous;
        std::uint64_t totalMilliseconds = 0;
        double secondsSum = 0;
        for (std::int32_t j = 0; j < count; ++j) {
            Job job;
            if (!readJob(reader, job)) {
                target_.appendLogLine("Enexpected end of file.");
                target_.setRowCount(target_.rowCount() - (reserved - j));
                return;
            }
            totalMilliseconds += job.milliseconds;
            secondsSum += secondsValue(durationFieldsFromMilliseconds(job.milliseconds));
            if (j > 0 && job.output == previous.output) writeTwoPassRow(previous, job);
            previous = job;
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

    // Logs a label followed by a value.
    void logLine(std::string_view label, std::string_view value)
    {
        line_.assign(label).append(value);
        target_.appendLogLine(line_);
    }

    // Reads, logs and writes the row and record of one job; false when the
    // file ends first.
    bool readJob(JobFileReader& reader, Job& job)
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
        logLine("State: ", decimalText(job.state));
        JobExtras extras;
        if (keepsRecords_) extras = reader.readExtras();

        if (!reader.find(kStartTimeMarker)) return false;
        job.start = readStamp(takeTimeStampWords(reader.line(), kStartHighColumn, kStartLowColumn),
                              reader.utcStamps());
        startText_.clear();
        appendDateTimeText(startText_, job.start.shown, settings_);
        logLine("Start_time: ", startText_);

        if (!reader.find(kEndTimeMarker)) return false;
        job.end = readStamp(takeTimeStampWords(reader.line(), kEndHighColumn, kEndLowColumn), reader.utcStamps());
        endText_.clear();
        appendDateTimeText(endText_, job.end.shown, settings_);
        logLine("End_time: ", endText_);

        // A stamp that is not set (a waiting or running job) gives no duration.
        job.timed = job.start.set && job.end.set;
        job.milliseconds = job.timed ? durationMilliseconds(job.end.written - job.start.written) : 0;
        const DurationFields fields = durationFieldsFromMilliseconds(job.milliseconds);
        const double seconds = secondsValue(fields);
        const std::string duration = durationText(fields, seconds, formatted_, settings_);
        target_.appendLogLine(duration);

        job.row = ++rowCounter_;
        target_.setCell(ColName, job.row, job.name);
        target_.setCell(ColSource, job.row, windowsFileNamePart(job.input));
        target_.setCell(ColDest, job.row, windowsFileNamePart(job.output));
        target_.setCell(ColStatus, job.row, statusWord(job.state));
        target_.setCell(ColJobfile, job.row, jobFileName_);
        if (seconds > 0) {
            target_.setCell(ColStart, job.row, startText_);
            target_.setCell(ColEnd, job.row, endText_);
            target_.setCell(ColDur, job.row, duration);
        }
        if (keepsRecords_) target_.addRecord(jobRecord(job, std::move(extras)));
        return true;
    }

    JobRecord jobRecord(const Job& job, JobExtras extras) const
    {
        JobRecord record;
        record.row = job.row;
        record.name = job.name;
        record.input = job.input;
        record.output = job.output;
        record.state = job.state;
        setSpan(record, job.start, job.end);
        if (job.timed) record.durationMs = job.milliseconds;
        record.jobFile = jobFileName_;
        record.runnerName = std::move(extras.runnerName);
        record.runnerId = std::move(extras.runnerId);
        record.error = std::move(extras.error);
        record.id = std::move(extras.id);
        return record;
    }

    // The row of a pair of consecutive jobs with the same output; its
    // duration is the sum of the two jobs' durations.
    void writeTwoPassRow(const Job& first, const Job& second)
    {
        const std::uint64_t pairMilliseconds = first.milliseconds + second.milliseconds;
        const int row = ++rowCounter_;
        target_.setRowCount(target_.rowCount() + 1);
        target_.setCell(ColName, row, "2pass");
        target_.setCell(ColSource, row, windowsFileNamePart(second.input));
        target_.setCell(ColDest, row, windowsFileNamePart(second.output));
        target_.setCell(ColJobfile, row, jobFileName_);
        const DurationFields fields = durationFieldsFromMilliseconds(pairMilliseconds);
        const double seconds = secondsValue(fields);
        if (seconds > 0) target_.setCell(ColDur, row, durationText(fields, seconds, formatted_, settings_));
        if (!keepsRecords_) return;

        JobRecord pair;
        pair.row = row;
        pair.twoPass = true;
        pair.name = "2pass";
        pair.input = second.input;
        pair.output = second.output;
        setSpan(pair, first.start, second.end);
        if (first.timed || second.timed) pair.durationMs = pairMilliseconds;
        pair.jobFile = jobFileName_;
        target_.addRecord(std::move(pair));
    }

    ProcessingTarget& target_;
    const RegionalSettings& settings_;
    int& rowCounter_;
    const std::string& path_;
    std::string_view jobFileName_;
    bool formatted_;
    bool keepsRecords_;
    // Texts rebuilt for every job, kept so that their memory is reused.
    std::string line_;  // the log line being put together
    std::string startText_;
    std::string endText_;
};

} // namespace

void proc_file(ProcessingTarget& target, const RegionalSettings& settings, int& rowCounter,
               const std::string& path, bool formattedTime, std::string& fileBuffer)
{
    // A file that cannot be read has no lines; the target hears why.
    std::error_code reason;
    if (!readWholeFile(path, fileBuffer, reason)) target.fileNotRead(path, reason);
    JobFilePass(target, settings, rowCounter, path, formattedTime).run(JobListText(fileBuffer));
}

void proc_file(ProcessingTarget& target, const RegionalSettings& settings, int& rowCounter,
               const std::string& path, bool formattedTime)
{
    std::string fileBuffer;
    proc_file(target, settings, rowCounter, path, formattedTime, fileBuffer);
}

} // namespace chronell
