#pragma once
// Hands every event on, with the records of jobs whose runner left them
// behind marked so: what the window's grid and views then show.
#include "analysis/run_events.h"
#include "report/row_export.h"

namespace chronell::report {

class LeftBehindMarking : public RunSink {
public:
    LeftBehindMarking(RunSink& next, LeftBehindTest leftBehind) : next_(next), leftBehind_(std::move(leftBehind)) {}

    void runBegun() override { next_.runBegun(); }
    void fileBegun(std::string_view name) override { next_.fileBegun(name); }
    void jobsCounted(std::int32_t count, int reservedRows) override { next_.jobsCounted(count, reservedRows); }
    void job(const JobEvent& event) override;
    void pair(const JobRecord& record) override { next_.pair(record); }
    void fileEnded(const FileEndEvent& event) override { next_.fileEnded(event); }
    void runEnded() override { next_.runEnded(); }
    void runStopped() override { next_.runStopped(); }

private:
    RunSink& next_;
    LeftBehindTest leftBehind_;
};

} // namespace chronell::report
