#include "settings/settings_place.h"

#include <cstdlib>

#include "platform/paths.h"
#include "platform/user_folders.h"
#include "settings/settings_store.h"

namespace chronell {

namespace {

constexpr std::string_view kSettingsFileName = "Settings.ini";
constexpr std::string_view kApplicationFolder = "Chronell";
constexpr std::string_view kHistoryFileName = "history.sqlite";

std::string withSeparator(std::string folder)
{
    if (folder.empty() || folder.back() != kPathSeparator) folder += kPathSeparator;
    return folder;
}

// The variable's value when it is set and not empty.
std::optional<std::string> valueOf(const SettingsQueries& queries, const char* name)
{
    std::optional<std::string> value = queries.environment(name);
    if (value && value->empty()) return std::nullopt;
    return value;
}

// $XDG_CONFIG_HOME when it is an absolute path (the XDG rule ignores a
// relative one), else $HOME/.config; empty when neither is known.
std::string userConfigHome(const SettingsQueries& queries, const std::optional<std::string>& home)
{
    const std::optional<std::string> configHome = valueOf(queries, "XDG_CONFIG_HOME");
    if (configHome && configHome->front() == kPathSeparator) return *configHome;
    if (home) return withSeparator(*home) + ".config";
    return {};
}

// $XDG_DATA_HOME when it is an absolute path, else $HOME/.local/share;
// empty when neither is known.
std::string userDataHome(const SettingsQueries& queries)
{
    const std::optional<std::string> dataHome = valueOf(queries, "XDG_DATA_HOME");
    if (dataHome && dataHome->front() == kPathSeparator) return *dataHome;
    if (const std::optional<std::string> home = valueOf(queries, "HOME"))
        return withSeparator(*home) + ".local" + kPathSeparator + "share";
    return {};
}

} // namespace

SettingsQueries hostSettingsQueries()
{
    return {
        .fileExists = fileExists,
        .folderWritable = folderWritable,
        .environment = [](const char* name) -> std::optional<std::string> {
            const char* value = std::getenv(name);
            return value ? std::optional<std::string>(value) : std::nullopt;
        },
        // Windows copies keep their settings beside themselves, as a portable
        // copy does everywhere.
        .userConfigFolders = !kWindowsHost,
    };
}

SettingsPlace settingsPlace(std::string_view executablePath, const SettingsQueries& queries)
{
    const std::string executableFolder = folderOf(executablePath);
    SettingsPlace beside{settingsPathBeside(executablePath), executableFolder};
    if (!queries.userConfigFolders || queries.fileExists(beside.file)
        || queries.folderWritable(executableFolder))
        return beside;

    const std::optional<std::string> home = valueOf(queries, "HOME");
    const std::string configHome = userConfigHome(queries, home);
    if (configHome.empty()) return beside;

    const std::string userFolder = withSeparator(withSeparator(configHome) + std::string(kApplicationFolder));
    return {userFolder + std::string(kSettingsFileName), home ? withSeparator(*home) : executableFolder};
}

std::string historyPlace(std::string_view executablePath, const SettingsQueries& queries)
{
    const std::string settingsFolder = folderOf(settingsPlace(executablePath, queries).file);
    std::string dataHome;
    if (queries.userConfigFolders) {
        dataHome = userDataHome(queries);
    } else if (!queries.folderWritable(settingsFolder)) {
        dataHome = valueOf(queries, "LOCALAPPDATA").value_or("");
    }
    if (dataHome.empty()) return settingsFolder + std::string(kHistoryFileName);
    return withSeparator(withSeparator(dataHome) + std::string(kApplicationFolder)) + std::string(kHistoryFileName);
}

void createSettingsFolder(const std::string& settingsFile)
{
    createUserFolders(folderOf(settingsFile));
}

} // namespace chronell
