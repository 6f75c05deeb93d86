#pragma once
// Runs a program directly (no shell) in a given folder, with standard input
// empty and its standard output and errors captured as bytes.
#include <string>
#include <utility>
#include <vector>

#include "support/temp_folder.h"

#ifdef _WIN32
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace chronell::test {

struct ProgramResult {
    int status = -1;  // the exit code; -1 when the program did not end by itself
    std::string out;
    std::string err;
};

using Environment = std::vector<std::pair<std::string, std::string>>;

#ifdef _WIN32

namespace detail {

// An argument as the C runtime splits it back: quoted when it holds a blank
// or quote, backslashes doubled only before a quote.
inline void appendQuoted(std::string& commandLine, const std::string& argument)
{
    if (!argument.empty() && argument.find_first_of(" \t\"") == std::string::npos) {
        commandLine += argument;
        return;
    }
    commandLine += '"';
    std::size_t backslashes = 0;
    for (const char c : argument) {
        if (c == '\\') {
            ++backslashes;
        } else {
            if (c == '"') commandLine.append(backslashes + 1, '\\');
            backslashes = 0;
        }
        commandLine += c;
    }
    commandLine.append(backslashes, '\\');
    commandLine += '"';
}

inline HANDLE inheritableFile(const std::string& path, DWORD access, DWORD disposition)
{
    SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    return CreateFileA(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit, disposition,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
}

} // namespace detail

// `outPath`, when given, takes standard output in place of the capture
// (result.out stays empty): a device such as /dev/full.
inline ProgramResult runProgram(const std::string& program, const std::vector<std::string>& arguments,
                                const std::string& folder, const Environment& environment = {},
                                const std::string& outPath = {})
{
    const TempFolder scratch;
    std::string commandLine;
    detail::appendQuoted(commandLine, program);
    for (const auto& argument : arguments) {
        commandLine += ' ';
        detail::appendQuoted(commandLine, argument);
    }
    // The child inherits this process's environment, set for the run only.
    std::vector<std::pair<std::string, std::string>> saved;
    for (const auto& [name, value] : environment) {
        char old[32768];
        const DWORD length = GetEnvironmentVariableA(name.c_str(), old, sizeof old);
        saved.emplace_back(name, length > 0 && length < sizeof old ? std::string(old, length) : std::string());
        SetEnvironmentVariableA(name.c_str(), value.c_str());
    }

    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = detail::inheritableFile("NUL", GENERIC_READ, OPEN_EXISTING);
    startup.hStdOutput = detail::inheritableFile(outPath.empty() ? scratch.file("out") : outPath, GENERIC_WRITE,
                                                 outPath.empty() ? CREATE_ALWAYS : OPEN_EXISTING);
    startup.hStdError = detail::inheritableFile(scratch.file("err"), GENERIC_WRITE, CREATE_ALWAYS);
    PROCESS_INFORMATION process{};
    const bool started = CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr,
                                        folder.c_str(), &startup, &process);
    for (const HANDLE handle : {startup.hStdInput, startup.hStdOutput, startup.hStdError}) CloseHandle(handle);
    for (const auto& [name, old] : saved) SetEnvironmentVariableA(name.c_str(), old.empty() ? nullptr : old.c_str());

    ProgramResult result;
    if (started) {
        WaitForSingleObject(process.hProcess, INFINITE);
        DWORD code = 0;
        if (GetExitCodeProcess(process.hProcess, &code)) result.status = static_cast<int>(code);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
    if (outPath.empty()) result.out = TempFolder::bytesOf(scratch.file("out"));
    result.err = TempFolder::bytesOf(scratch.file("err"));
    return result;
}

#else

// `outPath`, when given, takes standard output in place of the capture
// (result.out stays empty): a device such as /dev/full.
inline ProgramResult runProgram(const std::string& program, const std::vector<std::string>& arguments,
                                const std::string& folder, const Environment& environment = {},
                                const std::string& outPath = {})
{
    const TempFolder scratch;
    const std::string out = outPath.empty() ? scratch.file("out") : outPath;
    const std::string err = scratch.file("err");
    std::vector<char*> argv{const_cast<char*>(program.c_str())};
    for (const auto& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    // This process's environment with `environment` set over it.
    std::vector<std::string> variables;
    for (char** entry = environ; *entry != nullptr; ++entry) {
        const std::string variable(*entry);
        const std::string name = variable.substr(0, variable.find('='));
        bool replaced = false;
        for (const auto& pair : environment) replaced = replaced || pair.first == name;
        if (!replaced) variables.push_back(variable);
    }
    for (const auto& [name, value] : environment) variables.push_back(name + "=" + value);
    std::vector<char*> envp;
    for (auto& variable : variables) envp.push_back(variable.data());
    envp.push_back(nullptr);

    const pid_t child = ::fork();
    if (child == 0) {
        // Only calls that are safe between fork and exec.
        const int in = ::open("/dev/null", O_RDONLY);
        const int outFd = ::open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        const int errFd = ::open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        if (in < 0 || outFd < 0 || errFd < 0 || ::dup2(in, 0) < 0 || ::dup2(outFd, 1) < 0 || ::dup2(errFd, 2) < 0
            || ::chdir(folder.c_str()) != 0)
            ::_exit(127);
        ::execve(program.c_str(), argv.data(), envp.data());
        ::_exit(127);
    }
    ProgramResult result;
    int status = 0;
    if (child > 0 && ::waitpid(child, &status, 0) == child && WIFEXITED(status)) result.status = WEXITSTATUS(status);
    if (outPath.empty()) result.out = TempFolder::bytesOf(out);
    result.err = TempFolder::bytesOf(err);
    return result;
}

#endif

} // namespace chronell::test
