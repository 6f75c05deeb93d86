#pragma once
// Job-list file texts for tests, built line by line.
#include <string>
#include <vector>

namespace chronell::test {

struct JobLines {
    std::string name;
    std::string input;
    std::string output;
    std::string state = "2";
    std::string start = "01c8b2a6 22e7f000";
    std::string end = "01c8b2ac 12f934a0";
};

// The marker lines of one job, with a script line after them.
inline std::vector<std::string> jobLines(const JobLines& job)
{
    return {"// $job \"" + job.name + "\"",       "// $input \"" + job.input + "\"",
            "// $output \"" + job.output + "\"", "// $state " + job.state,
            "// $start_time " + job.start,        "// $end_time " + job.end,
            "VirtualDub.Close();"};
}

// A file: a header line, the count line, the line after it, then the jobs.
inline std::string jobListText(const std::vector<JobLines>& jobs, const std::string& count)
{
    std::vector<std::string> lines{"// job list", "// $numjobs " + count, "//"};
    for (const auto& job : jobs)
        for (auto& line : jobLines(job)) lines.push_back(std::move(line));
    std::string text;
    for (const auto& line : lines) text += line + "\r\n";
    return text;
}

inline std::string jobListText(const std::vector<JobLines>& jobs)
{
    return jobListText(jobs, std::to_string(jobs.size()));
}

// Joins lines with LF, each line terminated.
inline std::string linesText(const std::vector<std::string>& lines)
{
    std::string text;
    for (const auto& line : lines) text += line + "\n";
    return text;
}

} // namespace chronell::test
