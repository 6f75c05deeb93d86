#include "analysis/recorded_file_events.h"

namespace chronell {

namespace {

template <typename... Handlers>
struct Overloaded : Handlers... {
    using Handlers::operator()...;
};
// Spelled out for compilers without deduction for aggregates.
template <typename... Handlers>
Overloaded(Handlers...) -> Overloaded<Handlers...>;

} // namespace

std::size_t RecordedFileEvents::keep(const JobRecord& record)
{
    if (recordsUsed_ == records_.size()) {
        records_.push_back(record);
    } else {
        records_[recordsUsed_] = record;
    }
    return recordsUsed_++;
}

void RecordedFileEvents::jobsCounted(std::int32_t count, int reservedRows)
{
    events_.emplace_back(Counted{count, reservedRows});
}

void RecordedFileEvents::job(const JobEvent& event)
{
    events_.emplace_back(Job{keep(event.record), event.read, event.startShown, event.endShown});
}

void RecordedFileEvents::pair(const JobRecord& record) { events_.emplace_back(Pair{keep(record)}); }

void RecordedFileEvents::fileEnded(const FileEndEvent& event)
{
    events_.emplace_back(Ended{event, std::string(event.path)});
}

void RecordedFileEvents::handOut(RunSink& sink, int rowBase)
{
    // Row 0 is a record that never took a row (a job cut short before its
    // file's first whole job): it stays 0, as in a pass made in place.
    for (std::size_t i = 0; i < recordsUsed_; ++i) {
        if (records_[i].row != 0) records_[i].row += rowBase;
    }
    for (auto& recorded : events_) {
        std::visit(Overloaded{[&](const Counted& e) { sink.jobsCounted(e.count, e.reservedRows); },
                              [&](const Job& e) {
                                  sink.job({records_[e.record], e.read, e.startShown, e.endShown});
                              },
                              [&](const Pair& e) { sink.pair(records_[e.record]); },
                              [&](Ended& e) {
                                  e.event.path = e.path;
                                  sink.fileEnded(e.event);
                              }},
                   recorded);
    }
}

void RecordedFileEvents::clear()
{
    events_.clear();
    recordsUsed_ = 0;
}

} // namespace chronell
