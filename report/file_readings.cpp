#include "report/file_readings.h"

namespace chronell::report {

void FileReadings::fileEnded(const FileEndEvent& event)
{
    (event.how == FileEnd::Done ? whole_ : short_).insert(current_);
    current_.clear();
}

void FileReadings::runStopped()
{
    if (!current_.empty()) short_.insert(current_);
    current_.clear();
}

std::optional<std::string> FileReadings::caughtShort(const std::set<std::string>& wholeBefore) const
{
    for (const std::string& name : short_)
        if (wholeBefore.count(name) != 0) return name;
    return std::nullopt;
}

} // namespace chronell::report
