#include "settings/settings_store.h"

#include <charconv>
#include <utility>

#include "platform/chronell_error.h"
#include "analysis/integer_text.h"
#include "platform/paths.h"
#include "platform/private_profile.h"

namespace chronell {

SettingsStore::SettingsStore(std::string path) : path_(std::move(path)) {}

std::string SettingsStore::readText(std::string_view section, std::string_view key,
                                    std::string_view defaultValue) const
{
    return GetPrivateProfileString(section, key, defaultValue, path_, kProfileBufferSize);
}

std::int32_t SettingsStore::readInteger(std::string_view section, std::string_view key,
                                        std::int32_t defaultValue) const
{
    std::string text = readText(section, key, "");
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        text.replace(0, 2, "$");
    }
    return tryStrToInt(text).value_or(defaultValue);
}

bool SettingsStore::readFlag(std::string_view section, std::string_view key, bool defaultValue) const
{
    return readInteger(section, key, defaultValue ? 1 : 0) != 0;
}

void SettingsStore::writeText(std::string_view section, std::string_view key,
                              std::string_view value) const
{
    // A line break would end the value's line and start lines of its own (a
    // folder name on Linux may hold one): such a value is left out, and the
    // key keeps what the file held.
    if (value.find_first_of("\r\n") != std::string_view::npos) return;
    std::error_code reason;
    if (!WritePrivateProfileString(section, key, value, path_, reason)) {
        throw ChronellError("Unable to write to " + path_, reason);
    }
}

void SettingsStore::writeInteger(std::string_view section, std::string_view key,
                                 std::int32_t value) const
{
    // to_chars: plain decimal, never grouped or otherwise shaped by a locale.
    char digits[16];
    const auto result = std::to_chars(digits, digits + sizeof digits, value);
    writeText(section, key, std::string_view(digits, static_cast<std::size_t>(result.ptr - digits)));
}

void SettingsStore::writeFlag(std::string_view section, std::string_view key, bool value) const
{
    writeText(section, key, value ? "1" : "0");
}

std::string settingsPathBeside(std::string_view executablePath)
{
    return folderOf(executablePath) + "Settings.ini";
}

std::string folderOf(std::string_view path)
{
    return std::string(hostFolderPart(path));
}

} // namespace chronell
