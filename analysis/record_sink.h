#pragma once
// Hands the record of each whole job and of each two-pass pair, in row
// order, to a function: for views that read records and no cells.
#include <functional>
#include <utility>

#include "analysis/run_events.h"

namespace chronell {

class RecordSink : public RunSink {
public:
    using Take = std::function<void(const JobRecord&)>;

    explicit RecordSink(Take take) : take_(std::move(take)) {}

    void job(const JobEvent& event) override
    {
        if (event.read == JobRead::Whole) take_(event.record);
    }
    void pair(const JobRecord& record) override { take_(record); }

private:
    Take take_;
};

} // namespace chronell
