#pragma once
// Which files a run read whole and which it did not: one it could not open
// or found empty, one without its job count, one cut short, the one an
// error stopped the run in. A queue's runner rewrites its file in place, so
// a reading may catch a file half-written; a watched refresh asks this
// whether it did.
#include <optional>
#include <set>
#include <string>
#include <string_view>

#include "analysis/run_events.h"

namespace chronell::report {

class FileReadings : public RunSink {
public:
    void fileBegun(std::string_view name) override { current_ = name; }
    void fileEnded(const FileEndEvent& event) override;
    void runStopped() override;

    // The files read whole, by their names as found.
    const std::set<std::string>& whole() const { return whole_; }
    // The first file (by name) that an earlier reading read whole, whose
    // names are `wholeBefore`, and that this one did not.
    std::optional<std::string> caughtShort(const std::set<std::string>& wholeBefore) const;

private:
    std::string current_;
    std::set<std::string> whole_;
    std::set<std::string> short_;
};

} // namespace chronell::report
