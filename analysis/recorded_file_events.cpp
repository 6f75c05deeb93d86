#include "analysis/recorded_file_events.h"

namespace chronell {

namespace {

// The texts of a record, in the order of RecordedFileEvents' text places.
// A text left out of these lists is still kept, with its record.
constexpr std::string JobRecord::*kTexts[] = {&JobRecord::name, &JobRecord::input, &JobRecord::output,
                                              &JobRecord::jobFile};
constexpr std::optional<std::string> JobRecord::*kOptionalTexts[] = {&JobRecord::runnerName, &JobRecord::runnerId,
                                                                     &JobRecord::error, &JobRecord::id};

template <typename... Handlers>
struct Overloaded : Handlers... {
    using Handlers::operator()...;
};
// Spelled out for compilers without deduction for aggregates.
template <typename... Handlers>
Overloaded(Handlers...) -> Overloaded<Handlers...>;

} // namespace

RecordedFileEvents::StoredRecord RecordedFileEvents::store(const JobRecord& record)
{
    // Copied into the scratch record, whose texts reuse their memory, then
    // moved to the text store; the copy kept has empty texts, which need no
    // memory of their own.
    StoredRecord stored;
    static_assert(std::size(kTexts) + std::size(kOptionalTexts) == std::tuple_size_v<decltype(stored.texts)>);
    scratch_ = record;
    std::size_t place = 0;
    const auto keep = [&](std::string& text) {
        stored.texts[place++] = {texts_.size(), text.size(), true};
        texts_.append(text);
        text.clear();
    };
    for (const auto text : kTexts) keep(scratch_.*text);
    for (const auto text : kOptionalTexts) {
        if (auto& optional = scratch_.*text) {
            keep(*optional);
        } else {
            ++place;
        }
    }
    stored.withoutTexts = scratch_;
    return stored;
}

// The record with its texts back, its row moved on by `rowBase`, in the
// scratch record. Row 0 is a record that never took a row (a job cut short
// before its file's first whole job): it stays 0, as in a pass made in place.
const JobRecord& RecordedFileEvents::restore(const StoredRecord& stored, int rowBase)
{
    scratch_ = stored.withoutTexts;
    if (scratch_.row != 0) scratch_.row += rowBase;
    const auto text = [&](std::size_t place) {
        return std::string_view(texts_).substr(stored.texts[place].offset, stored.texts[place].size);
    };
    std::size_t place = 0;
    for (const auto member : kTexts) (scratch_.*member).assign(text(place++));
    for (const auto member : kOptionalTexts) {
        auto& optional = scratch_.*member;
        if (stored.texts[place].present) {
            if (!optional) optional.emplace();
            optional->assign(text(place));
        } else {
            optional.reset();
        }
        ++place;
    }
    return scratch_;
}

void RecordedFileEvents::jobsCounted(std::int32_t count, int reservedRows)
{
    events_.emplace_back(Counted{count, reservedRows});
}

void RecordedFileEvents::job(const JobEvent& event)
{
    events_.emplace_back(Job{store(event.record), event.read, event.startShown, event.endShown});
}

void RecordedFileEvents::pair(const JobRecord& record) { events_.emplace_back(Pair{store(record)}); }

void RecordedFileEvents::fileEnded(const FileEndEvent& event)
{
    events_.emplace_back(Ended{event, std::string(event.path)});
}

void RecordedFileEvents::handOut(RunSink& sink, int rowBase)
{
    for (auto& recorded : events_) {
        std::visit(Overloaded{[&](const Counted& e) { sink.jobsCounted(e.count, e.reservedRows); },
                              [&](const Job& e) {
                                  sink.job({restore(e.record, rowBase), e.read, e.startShown, e.endShown});
                              },
                              [&](const Pair& e) { sink.pair(restore(e.record, rowBase)); },
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
    texts_.clear();
}

} // namespace chronell
