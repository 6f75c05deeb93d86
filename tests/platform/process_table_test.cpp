#include "platform/process_table.h"

#include <gtest/gtest.h>

#ifdef _WIN32
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#else
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace chronell {
namespace {

std::uint32_t thisProcessId()
{
#ifdef _WIN32
    return GetCurrentProcessId();
#else
    return static_cast<std::uint32_t>(::getpid());
#endif
}

// The id of a process that has ended: on Linux a child that exited and was
// reaped; on Windows an id no process has (ids there are multiples of four
// well below this one).
std::uint32_t endedProcessId()
{
#ifdef _WIN32
    return 0xFFFFFFFCu;
#else
    const pid_t child = ::fork();
    if (child == 0) ::_exit(0);
    int status = 0;
    ::waitpid(child, &status, 0);
    return static_cast<std::uint32_t>(child);
#endif
}

TEST(SystemProcessTable, ThisComputerHasAName)
{
    EXPECT_FALSE(SystemProcessTable().computerName().empty());
}

TEST(SystemProcessTable, TellsARunningProcessFromAnEndedOne)
{
    const SystemProcessTable table;
    EXPECT_TRUE(table.processRuns(thisProcessId()));
    EXPECT_FALSE(table.processRuns(endedProcessId()));
}

} // namespace
} // namespace chronell
