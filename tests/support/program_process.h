#pragma once
// The real window program started as a process, from a copy of its own so
// that what it keeps beside itself lands in the test's folder.
#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <spawn.h>
#include <string>
#include <thread>
#include <sys/wait.h>
#include <vector>

extern char** environ;

namespace chronell::test {

// The built program copied into `folder` (once); its path.
inline std::filesystem::path programCopyIn(const std::filesystem::path& folder)
{
    const std::filesystem::path program = folder / "chronell";
    if (!std::filesystem::exists(program))
        std::filesystem::copy_file(std::filesystem::path(CHRONELL_BIN_DIR) / "chronell", program);
    return program;
}

// Starts `program` with `arguments`. `settings` ("NAME=value") take the place
// of the test's own variables of those names; the test's CHRONELL_ variables
// are not passed on. -1 when it cannot be started.
inline pid_t startProgram(const std::filesystem::path& program, const std::vector<std::string>& arguments,
                          const std::vector<std::string>& settings)
{
    std::vector<std::string> environment = settings;
    for (char** entry = environ; *entry != nullptr; ++entry) {
        const std::string text = *entry;
        const std::string name = text.substr(0, text.find('='));
        bool replaced = name.starts_with("CHRONELL_");
        for (const std::string& setting : settings) replaced = replaced || setting.starts_with(name + "=");
        if (!replaced) environment.push_back(text);
    }

    std::vector<std::string> words = {program.string()};
    words.insert(words.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& word : words) argv.push_back(word.data());
    argv.push_back(nullptr);
    std::vector<char*> envp;
    for (std::string& entry : environment) envp.push_back(entry.data());
    envp.push_back(nullptr);

    pid_t pid = 0;
    if (::posix_spawn(&pid, argv[0], nullptr, nullptr, argv.data(), envp.data()) != 0) return -1;
    return pid;
}

// The exit status of the program started as `pid`; -1 when it did not exit
// by itself (a signal ended it) or was never started.
inline int exitStatusOf(pid_t pid)
{
    int status = 0;
    if (pid <= 0 || ::waitpid(pid, &status, 0) != pid) return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// Whether process `pid` has a handler of its own for `signal`: the mask of
// caught signals on the SigCgt line of its status.
inline bool catchesSignal(pid_t pid, int signal)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(status, line);) {
        if (line.starts_with("SigCgt:")) return (std::stoull(line.substr(7), nullptr, 16) >> (signal - 1)) & 1u;
    }
    return false;
}

// Ends the program started as `pid` as the desktop does, with `signal` sent
// once the program has its handler for it (a program that never installs
// one is ended by the signal itself); its exit status as exitStatusOf gives it.
inline int exitStatusWhenEnded(pid_t pid, int signal = SIGTERM)
{
    if (pid <= 0) return -1;
    for (int attempt = 0; attempt < 3000 && !catchesSignal(pid, signal); ++attempt)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    ::kill(pid, signal);
    return exitStatusOf(pid);
}

} // namespace chronell::test
