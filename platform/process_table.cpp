#include "platform/process_table.h"

#include <cerrno>
#include <climits>

#ifdef _WIN32
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#include <tlhelp32.h>

#include "platform/file_handle.h"
#else
#include <csignal>
#include <unistd.h>
#endif

namespace chronell {

#ifdef _WIN32

std::string SystemProcessTable::computerName() const
{
    char name[MAX_COMPUTERNAME_LENGTH + 1];
    DWORD size = sizeof name;
    return GetComputerNameA(name, &size) ? std::string(name, size) : std::string();
}

bool SystemProcessTable::processRuns(std::uint32_t processId) const
{
    // A snapshot is closed as a file is.
    const FileHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot.isOpen()) return true;
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof entry;
    bool listed = false;
    if (Process32First(snapshot.get(), &entry)) {
        do {
            listed = entry.th32ProcessID == processId;
        } while (!listed && Process32Next(snapshot.get(), &entry));
    }
    const bool complete = listed || GetLastError() == ERROR_NO_MORE_FILES;
    // A list that broke off says nothing about the processes it did not reach.
    return listed || !complete;
}

#else

std::string SystemProcessTable::computerName() const
{
    char name[HOST_NAME_MAX + 1] = {};
    if (::gethostname(name, sizeof name - 1) != 0) return {};
    return name;
}

bool SystemProcessTable::processRuns(std::uint32_t processId) const
{
    // 0 and ids beyond pid_t would make kill() mean a group or every
    // process; no process has them.
    if (processId == 0 || processId > static_cast<std::uint32_t>(INT_MAX)) return false;
    // Signal 0 sends nothing; it asks whether the process exists. A process
    // of another user exists too (EPERM).
    return ::kill(static_cast<pid_t>(processId), 0) == 0 || errno != ESRCH;
}

#endif

} // namespace chronell
