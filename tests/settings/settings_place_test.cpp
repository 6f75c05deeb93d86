#include "settings/settings_place.h"

#include <gtest/gtest.h>

#include <map>

#include "platform/paths.h"

namespace chronell {
namespace {

// A host whose executable lies in /opt/chronell/; the folder takes new
// files or not, holds a settings file or not, and the environment holds
// what the case gives.
SettingsQueries fakeHost(bool writable, bool fileThere, std::map<std::string, std::string> environment)
{
    return {
        .fileExists = [fileThere](const std::string& path) { return fileThere && path == "/opt/chronell/Settings.ini"; },
        .folderWritable = [writable](const std::string& folder) { return writable && folder == "/opt/chronell/"; },
        .environment = [environment](const char* name) -> std::optional<std::string> {
            const auto found = environment.find(name);
            return found == environment.end() ? std::nullopt : std::optional<std::string>(found->second);
        },
    };
}

TEST(SettingsPlace, BesideTheExecutableOrInTheUserConfigFolder)
{
    if (kWindowsHost)
        GTEST_SKIP() << "the user's folders are the XDG ones of Linux; a Windows copy keeps its settings beside itself";
    const SettingsPlace beside{"/opt/chronell/Settings.ini", "/opt/chronell/"};
    const std::map<std::string, std::string> homeOnly{{"HOME", "/home/ann"}};
    const struct {
        const char* what;
        bool writable;
        bool fileThere;
        std::map<std::string, std::string> environment;
        SettingsPlace expected;
    } cases[] = {
        {"writable folder", true, false, homeOnly, beside},
        {"writable folder holding the file", true, true, homeOnly, beside},
        {"read-only folder holding the file", false, true, homeOnly, beside},
        {"read-only folder, XDG_CONFIG_HOME unset", false, false, homeOnly,
         {"/home/ann/.config/Chronell/Settings.ini", "/home/ann/"}},
        {"read-only folder, XDG_CONFIG_HOME set", false, false, {{"HOME", "/home/ann"}, {"XDG_CONFIG_HOME", "/cfg"}},
         {"/cfg/Chronell/Settings.ini", "/home/ann/"}},
        {"XDG_CONFIG_HOME with its separator", false, false, {{"HOME", "/home/ann/"}, {"XDG_CONFIG_HOME", "/cfg/"}},
         {"/cfg/Chronell/Settings.ini", "/home/ann/"}},
        {"XDG_CONFIG_HOME empty", false, false, {{"HOME", "/home/ann"}, {"XDG_CONFIG_HOME", ""}},
         {"/home/ann/.config/Chronell/Settings.ini", "/home/ann/"}},
        {"XDG_CONFIG_HOME relative", false, false, {{"HOME", "/home/ann"}, {"XDG_CONFIG_HOME", "cfg"}},
         {"/home/ann/.config/Chronell/Settings.ini", "/home/ann/"}},
        {"HOME unset", false, false, {{"XDG_CONFIG_HOME", "/cfg"}}, {"/cfg/Chronell/Settings.ini", "/opt/chronell/"}},
        {"nowhere else", false, false, {}, beside},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(settingsPlace("/opt/chronell/chronell", fakeHost(c.writable, c.fileThere, c.environment)),
                  c.expected)
            << c.what;
    }
}

TEST(SettingsPlace, HostWithoutUserFoldersKeepsItBeside)
{
    SettingsQueries host = fakeHost(false, false, {{"HOME", "/home/ann"}});
    host.userConfigFolders = false;
    EXPECT_EQ(settingsPlace("/opt/chronell/chronell", host),
              (SettingsPlace{"/opt/chronell/Settings.ini", "/opt/chronell/"}));
}

TEST(HistoryPlace, InTheUserDataFolder)
{
    if (kWindowsHost) GTEST_SKIP() << "the user's folders are the XDG ones of Linux";
    const struct {
        const char* what;
        bool writable;
        std::map<std::string, std::string> environment;
        const char* expected;
    } cases[] = {
        {"XDG_DATA_HOME unset", true, {{"HOME", "/home/ann"}}, "/home/ann/.local/share/Chronell/history.sqlite"},
        {"XDG_DATA_HOME set", false, {{"HOME", "/home/ann"}, {"XDG_DATA_HOME", "/data/"}},
         "/data/Chronell/history.sqlite"},
        {"XDG_DATA_HOME relative", true, {{"HOME", "/home/ann"}, {"XDG_DATA_HOME", "data"}},
         "/home/ann/.local/share/Chronell/history.sqlite"},
        {"HOME unset", true, {{"XDG_DATA_HOME", "/data"}}, "/data/Chronell/history.sqlite"},
        {"nowhere else", true, {}, "/opt/chronell/history.sqlite"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(historyPlace("/opt/chronell/chronell", fakeHost(c.writable, false, c.environment)), c.expected)
            << c.what;
}

TEST(HistoryPlace, WithoutUserFoldersBesideTheSettingsUnlessThatFolderIsReadOnly)
{
    const std::string local = std::string("C:\\Users\\ann\\AppData\\Local") + kPathSeparator + "Chronell" + kPathSeparator;
    const struct {
        const char* what;
        bool writable;
        std::map<std::string, std::string> environment;
        std::string expected;
    } cases[] = {
        {"writable folder", true, {{"LOCALAPPDATA", "C:\\Users\\ann\\AppData\\Local"}},
         "/opt/chronell/history.sqlite"},
        {"read-only folder", false, {{"LOCALAPPDATA", "C:\\Users\\ann\\AppData\\Local"}}, local + "history.sqlite"},
        {"read-only folder, LOCALAPPDATA unset", false, {}, "/opt/chronell/history.sqlite"},
    };
    for (const auto& c : cases) {
        SettingsQueries host = fakeHost(c.writable, false, c.environment);
        host.userConfigFolders = false;
        EXPECT_EQ(historyPlace("/opt/chronell/chronell", host), c.expected) << c.what;
    }
}

} // namespace
} // namespace chronell
