#include "analysis/job_file_pass.h"

#include <cstdint>
#include <optional>
#include <string_view>
#include <utility>

#include "analysis/date_time.h"
#include "analysis/duration.h"
#include "analysis/job_extras.h"
#include "analysis/job_format.h"
#include "analysis/run_events.h"
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
    stamp.written = fileTimeToDateTime(stamp.fileTime);
    stamp.shown = stamp.written;
    if (stamp.set && utcStamps) {
        // The shown value, too, is held to the calendar's limits.
        if (const auto local = utcToLocalFileTime(stamp.fileTime)) stamp.shown = fileTimeToDateTime(*local);
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
    record.startShown = start.set ? std::optional<TDateTime>(start.shown) : std::nullopt;
    record.endShown = end.set ? std::optional<TDateTime>(end.shown) : std::nullopt;
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

// The pass itself, with the sink and the row counter at hand. The records
// of the job being read and of a pair, and the output of the job before,
// are kept across jobs, so that their texts reuse their memory.
class JobFilePass {
public:
    JobFilePass(RunSink& sink, int& rowCounter, const std::string& path)
        : sink_(sink), rowCounter_(rowCounter), path_(path), jobFileName_(hostFileNamePart(path))
    {
    }

    // `unread`: why the file could not be read, if it could not.
    void run(const JobListText& text, std::error_code unread)
    {
        if (text.empty()) {
            FileEndEvent end;
            end.how = FileEnd::CannotOpen;
            end.path = path_;
            end.unread = unread;
            sink_.fileEnded(end);
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
        FileEndEvent end;
        end.path = path_;
        const std::int32_t count = reader.findJobCount();
        if (count <= 0) {
            end.how = FileEnd::NoJobCount;
            sink_.fileEnded(end);
            return;
        }
        // The count is not trusted: no file holds more jobs than it has lines.
        sink_.jobsCounted(count, static_cast<int>(text.lineCountUpTo(static_cast<std::size_t>(count))));

        for (std::int32_t j = 0; j < count; ++j) {
            if (!readJob(reader)) {
                end.how = FileEnd::UnexpectedEnd;
                sink_.fileEnded(end);
                return;
            }
            ++end.wholeJobs;
            const std::uint64_t milliseconds = job_.durationMs.value_or(0);
            end.totalMilliseconds += milliseconds;
            end.secondsSum += secondsValue(durationFieldsFromMilliseconds(milliseconds));
            if (j > 0 && job_.output == previousOutput_) handOutPair();
            // Only the output and the duration of the job before are needed
            // for a pair: the output is swapped in, keeping both texts' memory.
            previousOutput_.swap(job_.output);
            previousDurationMs_ = job_.durationMs;
            previousStart_ = jobStart_;
        }
        sink_.fileEnded(end);
    }

    // Reads one job and hands it out; false when the file ends first. A job
    // cut short, by the file's end or by a value that does not convert, is
    // handed out as far as it was read.
    bool readJob(JobFileReader& reader)
    {
        std::optional<JobRead> read;
        const auto cut = [&] {
            if (read) sink_.job({job_, *read, jobStart_.shown, jobEnd_.shown});
            return false;
        };
        try {
            if (!reader.find(kJobMarker)) return cut();
            job_.name = takeTextValue(reader.line(), kJobNameColumn);
            read = JobRead::Name;

            if (!reader.find(kInputMarker)) return cut();
            job_.input = takeTextValue(reader.line(), kInputColumn);
            read = JobRead::Input;

            if (!reader.find(kOutputMarker)) return cut();
            job_.output = takeTextValue(reader.line(), kOutputColumn);
            read = JobRead::Output;

            if (!reader.find(kStateMarker)) return cut();
            job_.state = takeState(reader.line());
            read = JobRead::State;
            JobExtras extras = reader.readExtras();

            if (!reader.find(kStartTimeMarker)) return cut();
            jobStart_ = readStamp(takeTimeStampWords(reader.line(), kStartHighColumn, kStartLowColumn),
                                  reader.utcStamps());
            read = JobRead::StartTime;

            if (!reader.find(kEndTimeMarker)) return cut();
            jobEnd_ = readStamp(takeTimeStampWords(reader.line(), kEndHighColumn, kEndLowColumn), reader.utcStamps());

            job_.row = ++rowCounter_;
            setSpan(job_, jobStart_, jobEnd_);
            // A stamp that is not set (a waiting or running job) gives no duration.
            job_.durationMs.reset();
            if (jobStart_.set && jobEnd_.set) job_.durationMs = durationMilliseconds(jobEnd_.written - jobStart_.written);
            job_.jobFile = jobFileName_;
            job_.runnerName = std::move(extras.runnerName);
            job_.runnerId = std::move(extras.runnerId);
            job_.error = std::move(extras.error);
            job_.id = std::move(extras.id);
        } catch (const ChronellError&) {
            cut();
            throw;
        }
        sink_.job({job_, JobRead::Whole, jobStart_.shown, jobEnd_.shown});
        return true;
    }

    // The pair of the previous job and this one, which write the same
    // output: its duration is the sum of the two jobs' durations.
    void handOutPair()
    {
        pair_.row = ++rowCounter_;
        pair_.twoPass = true;
        pair_.name = "2pass";
        pair_.input = job_.input;
        pair_.output = previousOutput_;
        setSpan(pair_, previousStart_, jobEnd_);
        pair_.durationMs.reset();
        if (previousDurationMs_ || job_.durationMs)
            pair_.durationMs = previousDurationMs_.value_or(0) + job_.durationMs.value_or(0);
        pair_.jobFile = jobFileName_;
        sink_.pair(pair_);
    }

    RunSink& sink_;
    int& rowCounter_;
    const std::string& path_;
    std::string_view jobFileName_;
    JobRecord job_;
    std::string previousOutput_;
    std::optional<std::uint64_t> previousDurationMs_;
    JobRecord pair_;
    Stamp jobStart_;
    Stamp jobEnd_;
    Stamp previousStart_;
};

} // namespace

void processJobFile(RunSink& sink, int& rowCounter, const std::string& path, std::string& fileBuffer)
{
    // A file that cannot be read has no lines; its end says why.
    std::error_code unread;
    readWholeFile(path, fileBuffer, unread);
    JobFilePass(sink, rowCounter, path).run(JobListText(fileBuffer), unread);
}

} // namespace chronell
