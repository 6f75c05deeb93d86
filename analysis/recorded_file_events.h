#pragma once
// The events of one file's pass kept as values, to be handed to a sink
// later: a pass made on a worker thread is handed out in file order by the
// thread that prints.
#include <array>
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
    // A record kept with its texts in the file's text store: keeping and
    // handing out records then takes no memory of its own per text.
    struct TextPlace {
        std::size_t offset = 0;
        std::size_t size = 0;
        bool present = false;
    };
    struct StoredRecord {
        JobRecord withoutTexts;
        std::array<TextPlace, 8> texts;
    };

    StoredRecord store(const JobRecord& record);
    const JobRecord& restore(const StoredRecord& stored, int rowBase);

    struct Counted {
        std::int32_t count;
        int reservedRows;
    };
    struct Job {
        StoredRecord record;
        JobRead read;
        TDateTime startShown;
        TDateTime endShown;
    };
    struct Pair {
        StoredRecord record;
    };
    struct Ended {
        FileEndEvent event;
        std::string path;  // what event.path views once handed out
    };
    std::vector<std::variant<Counted, Job, Pair, Ended>> events_;
    std::string texts_;  // every stored record's texts, one after another
    JobRecord scratch_;  // reused: its texts keep their memory across records

};

} // namespace chronell
