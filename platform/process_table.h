#pragma once
// This computer as a job's runner sees it: its name, and whether a process
// with a given id runs. Behind an interface so that what is judged from them
// can be tested with a made-up computer.
#include <cstdint>
#include <string>

namespace chronell {

class ProcessTable {
public:
    virtual ~ProcessTable() = default;
    // The computer's name as a runner writes it (on Windows the computer
    // name, on Linux the host name); empty when it cannot be had.
    virtual std::string computerName() const = 0;
    // Whether a process with this id runs now. When the table cannot be
    // asked, true: nothing is judged gone on a guess.
    virtual bool processRuns(std::uint32_t processId) const = 0;
};

// The table of this computer: Windows asks its process list, Linux its
// host name and its processes.
class SystemProcessTable : public ProcessTable {
public:
    std::string computerName() const override;
    bool processRuns(std::uint32_t processId) const override;
};

} // namespace chronell
