#pragma once
// The settings store over one private-profile file. It keeps only the path:
// every read and write goes to the file when it is made.
#include <cstdint>
#include <string>
#include <string_view>

namespace chronell {

class SettingsStore {
public:
    explicit SettingsStore(std::string path);

    const std::string& path() const { return path_; }

    std::string readText(std::string_view section, std::string_view key,
                         std::string_view defaultValue) const;
    // "0x"/"0X" in front become "$"; then the quiet integer rule, else default.
    std::int32_t readInteger(std::string_view section, std::string_view key,
                             std::int32_t defaultValue) const;
    bool readFlag(std::string_view section, std::string_view key, bool defaultValue) const;

    // Throw ChronellError "Unable to write to <path>: <the system's reason>"
    // when the write fails; the file then stays as it was.
    // A text that cannot be stored on one line (it holds a line break) is
    // not written: the key keeps its stored value, and nothing is raised.
    void writeText(std::string_view section, std::string_view key, std::string_view value) const;
    void writeInteger(std::string_view section, std::string_view key, std::int32_t value) const;
    void writeFlag(std::string_view section, std::string_view key, bool value) const;

private:
    std::string path_;
};

// "Settings.ini" in the folder of the executable (its trailing separator kept).
std::string settingsPathBeside(std::string_view executablePath);

// The folder part of a path, trailing separator kept.
std::string folderOf(std::string_view path);

} // namespace chronell
