#pragma once
// Where the settings file lives. A copy whose folder already holds a
// settings file or takes new files keeps it beside the executable, as a
// portable copy does. An installed copy, whose folder it cannot write,
// keeps it in the user's configuration folder and starts the folder box
// at the user's home folder.
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace chronell {

struct SettingsPlace {
    std::string file;           // full path of Settings.ini
    std::string defaultFolder;  // the default of "Directory", separator at its end

    bool operator==(const SettingsPlace&) const = default;
};

// What the rule asks of the host. hostSettingsQueries() answers for this
// process; the tests answer for themselves.
struct SettingsQueries {
    std::function<bool(const std::string& path)> fileExists;
    std::function<bool(const std::string& folder)> folderWritable;
    std::function<std::optional<std::string>(const char* name)> environment;  // nullopt: unset
    bool userConfigFolders = true;  // false: always beside the executable
};

SettingsQueries hostSettingsQueries();

// Beside the executable, unless its folder neither holds "Settings.ini" nor
// takes new files; then "Chronell/Settings.ini" in $XDG_CONFIG_HOME (when
// it is an absolute path), else in $HOME/.config. With neither it stays
// beside the executable, where the write at exit reports the failure.
SettingsPlace settingsPlace(std::string_view executablePath, const SettingsQueries& queries);

// Where the history of runs lives. Linux: "Chronell/history.sqlite" in
// $XDG_DATA_HOME (when it is an absolute path), else in $HOME/.local/share.
// Windows: beside the settings file (the portable rule) when that folder
// takes new files, else in %LOCALAPPDATA%\Chronell. With no such folder
// known it is beside the settings file.
std::string historyPlace(std::string_view executablePath, const SettingsQueries& queries);

// Makes the settings file's folder when it is missing: the user's
// configuration folder is created at the first exit.
void createSettingsFolder(const std::string& settingsFile);

} // namespace chronell
