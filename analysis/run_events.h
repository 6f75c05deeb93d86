#pragma once
// What the pass over a file and the run over a folder hand out, in file
// order, as values: the engine formats nothing and reads nothing back. A
// sink takes the events it cares for; the printers in report/ make the log's
// lines and the grid's cells from them.
#include <cstdint>
#include <string_view>
#include <system_error>
#include <vector>

#include "analysis/date_time.h"
#include "analysis/job_record.h"

namespace chronell {

// How far a job was read: the fields up to this one hold values. Only a
// whole job takes a grid row; a job cut short by the file's end or by a
// value that does not convert is handed out as far as it was read.
enum class JobRead { Name, Input, Output, State, StartTime, Whole };

struct JobEvent {
    const JobRecord& record;  // row set only for a whole job
    JobRead read;
    // The stamps' date-time values as shown, also for an unset stamp.
    TDateTime startShown = 0;
    TDateTime endShown = 0;
};

// How the pass over a file ended.
enum class FileEnd { Done, CannotOpen, NoJobCount, UnexpectedEnd };

struct FileEndEvent {
    FileEnd how = FileEnd::Done;
    std::string_view path;  // the file's path as it was read
    // Why a file that cannot be opened could not be read; none for a file
    // that was read and found empty.
    std::error_code unread;
    int wholeJobs = 0;  // jobs read whole
    // For a file done: the sum of its jobs' milliseconds, and the sum of
    // their durations in seconds as each job's text shows it.
    std::uint64_t totalMilliseconds = 0;
    double secondsSum = 0;
};

class RunSink {
public:
    virtual ~RunSink() = default;

    // A run over a folder begins: its grid is a header row and one empty row.
    virtual void runBegun() {}
    // An entry of the folder, by its name as found, before its pass.
    virtual void fileBegun(std::string_view /*name*/) {}
    // The file's job count, and the grid rows its jobs may take (never more
    // than the file has lines).
    virtual void jobsCounted(std::int32_t /*count*/, int /*reservedRows*/) {}
    virtual void job(const JobEvent& /*event*/) {}
    // Two consecutive whole jobs writing the same output; its row follows
    // the second job's.
    virtual void pair(const JobRecord& /*record*/) {}
    virtual void fileEnded(const FileEndEvent& /*event*/) {}
    // Every entry was passed over.
    virtual void runEnded() {}
    // An error ended the run (it goes on to the caller).
    virtual void runStopped() {}
};

// Hands every event to each of its sinks in turn.
class RunSinks : public RunSink {
public:
    explicit RunSinks(std::vector<RunSink*> sinks) : sinks_(std::move(sinks)) {}

    void runBegun() override { each([](RunSink& s) { s.runBegun(); }); }
    void fileBegun(std::string_view name) override { each([name](RunSink& s) { s.fileBegun(name); }); }
    void jobsCounted(std::int32_t count, int reservedRows) override
    {
        each([=](RunSink& s) { s.jobsCounted(count, reservedRows); });
    }
    void job(const JobEvent& event) override { each([&event](RunSink& s) { s.job(event); }); }
    void pair(const JobRecord& record) override { each([&record](RunSink& s) { s.pair(record); }); }
    void fileEnded(const FileEndEvent& event) override { each([&event](RunSink& s) { s.fileEnded(event); }); }
    void runEnded() override { each([](RunSink& s) { s.runEnded(); }); }
    void runStopped() override { each([](RunSink& s) { s.runStopped(); }); }

private:
    template <typename Call>
    void each(const Call& call)
    {
        for (RunSink* sink : sinks_) call(*sink);
    }
    std::vector<RunSink*> sinks_;
};

} // namespace chronell
