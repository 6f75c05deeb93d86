#pragma once
// Makes glibc locales such as de_DE.UTF-8 loadable by a test without
// changing the system: a missing one is compiled by localedef into a
// private folder that LOCPATH then points at. Environment changes are scoped.
// Windows' C runtime has its locales built in, under names of its own.
#include <locale.h>
#ifndef _WIN32
#include <unistd.h>
#endif

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>

// glibc never frees the search list that it builds from LOCPATH in each
// locale look-up; only these tests set LOCPATH, so the leak checker is told.
extern "C" [[gnu::used]] inline const char* __lsan_default_suppressions()
{
    return "leak:__argz_add_sep\n";
}

namespace chronell::test {

// The C runtime's name of the German locale with a decimal comma.
#ifdef _WIN32
inline constexpr const char* kGermanLocaleName = "German_Germany.1252";
#else
inline constexpr const char* kGermanLocaleName = "de_DE.UTF-8";
#endif

// Sets (or, given nothing, unsets) an environment variable until destroyed.
class ScopedEnv {
public:
    ScopedEnv(std::string name, const std::optional<std::string>& value) : name_(std::move(name))
    {
        if (const char* old = std::getenv(name_.c_str())) old_ = old;
        set(value);
    }
    ~ScopedEnv() { set(old_); }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    void set(const std::optional<std::string>& value)
    {
#ifdef _WIN32
        ::_putenv_s(name_.c_str(), value ? value->c_str() : "");  // "" removes it
#else
        if (value) ::setenv(name_.c_str(), value->c_str(), 1);
        else ::unsetenv(name_.c_str());
#endif
    }
    std::string name_;
    std::optional<std::string> old_;
};

#ifdef _WIN32

class WithLocale {
public:
    explicit WithLocale(const std::string&) {}
};

#else

inline bool localeLoads(const std::string& name, const std::optional<std::string>& locPath)
{
    const ScopedEnv env("LOCPATH", locPath);
    const locale_t handle = newlocale(LC_ALL_MASK, name.c_str(), static_cast<locale_t>(0));
    if (handle != static_cast<locale_t>(0)) freelocale(handle);
    return handle != static_cast<locale_t>(0);
}

// The LOCPATH under which `name` ("de_DE.UTF-8") loads: nothing when the
// system has it, else a folder in which it is compiled once per machine.
// Throws std::runtime_error with the reason when it cannot be made.
inline std::optional<std::string> locPathFor(const std::string& name)
{
    if (localeLoads(name, std::nullopt)) return std::nullopt;
    const auto folder = std::filesystem::temp_directory_path() / "chronell-test-locales";
    // glibc remembers a failed look-up per folder: try the folder only once it holds the locale.
    if (!std::filesystem::exists(folder / name / "LC_TIME")) {
        // Each process compiles into a folder of its own; the first rename wins.
        const auto staging = folder / (name + ".tmp" + std::to_string(::getpid()));
        const auto dot = name.find('.');
        const std::string command = "localedef -c -i '" + name.substr(0, dot) + "' -f '" +
                                    name.substr(dot + 1) + "' '" + staging.string() + "' >/dev/null 2>&1";
        std::error_code ec;
        std::filesystem::create_directories(folder, ec);
        std::system(command.c_str());
        std::filesystem::rename(staging, folder / name, ec);
        std::filesystem::remove_all(staging, ec);
    }
    if (!localeLoads(name, folder.string()))
        throw std::runtime_error("cannot make the locale " + name + " in " + folder.string() +
                                 " with localedef, which comes with the Debian package 'locales' "
                                 "(scripts/install-deps installs it)");
    return folder.string();
}

// Makes the locale loadable for the object's lifetime; fails the test with
// the reason when it cannot be made (never skips).
class WithLocale {
public:
    explicit WithLocale(const std::string& name) : locPath_("LOCPATH", currentLocPath(name)) {}

private:
    static std::optional<std::string> currentLocPath(const std::string& name)
    {
        const auto locPath = locPathFor(name);
        if (locPath) return locPath;
        const char* old = std::getenv("LOCPATH");
        return old ? std::optional<std::string>(old) : std::nullopt;
    }
    ScopedEnv locPath_;
};

#endif

} // namespace chronell::test
