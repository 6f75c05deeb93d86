#pragma once
// The events of one file's pass kept as values, to be handed to a sink
// later: a pass made on a worker thread is handed out in file order by the
// thread that prints.
#include <cstddef>
#include <cstdint>
#include <string>
#include <variant>
#include <vector>

#include "analysis/run_events.h"

namespace chronell {

class RecordedFileEvents : public RunSink {
public:
    void jobsCounted(std::int32_t count, int reservedRows) override;
    void job(const JobEvent& event) override;
    void pair(const JobRecord& record) override;
    void fileEnded(const FileEndEvent& event) override;

    // Hands the events to `sink` in the order they came, the records' rows
    // (counted from 0 at the file's start) moved on by `rowBase`.
    void handOut(RunSink& sink, int rowBase);
    // Forgets the events and keeps the memory, for the next file's.
    void clear();

private:
    // The records are kept in a pool that outlives clear(): a record copied
    // over one kept before reuses its texts' memory.
    std::size_t keep(const JobRecord& record);

    struct Counted {
        std::int32_t count;
        int reservedRows;
    };
    struct Job {
        std::size_t record;  // index into records_
        JobRead read;
        TDateTime startShown;
        TDateTime endShown;
    };
    struct Pair {
        std::size_t record;
    };
    struct Ended {
        FileEndEvent event;
        std::string path;  // what event.path views once handed out
    };
    std::vector<std::variant<Counted, Job, Pair, Ended>> events_;
    std::vector<JobRecord> records_;
    std::size_t recordsUsed_ = 0;  // records_ of this file's events; the rest are spare
};

} // namespace chronell
