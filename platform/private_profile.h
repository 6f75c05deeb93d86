#pragma once
// Private-profile (INI) files with the semantics of the Windows functions.
#include <cstddef>
#include <string>
#include <string_view>
#include <system_error>

namespace chronell {

inline constexpr std::size_t kProfileBufferSize = 2048;

// The value of `key` in `section` (names without regard to case, blanks
// around '=' and the value dropped, matching quotes removed), cut to
// bufferSize - 1 characters; `defaultValue` when file, section or key is missing.
// Only the first section of a name counts, and in it the first key of a name;
// ";" comment lines, blank lines and lines without '=' are no keys.
std::string GetPrivateProfileString(std::string_view section, std::string_view key,
                                    std::string_view defaultValue, const std::string& path,
                                    std::size_t bufferSize = kProfileBufferSize);

// Creates file, section and key as needed, replaces an existing value, keeps
// every other line byte for byte. A new key goes after its section's last
// key, a new section at the end; added lines take the file's line break (the
// host's, CR LF on Windows, in a file that has none yet).
// The file is rewritten whole through a temporary file (rewriteFile).
// False when the file cannot be written, `reason` then saying why, or when a
// name or value holds a line break (`reason` invalid_argument).
bool WritePrivateProfileString(std::string_view section, std::string_view key, std::string_view value,
                               const std::string& path, std::error_code& reason);

inline bool WritePrivateProfileString(std::string_view section, std::string_view key, std::string_view value,
                                      const std::string& path)
{
    std::error_code reason;
    return WritePrivateProfileString(section, key, value, path, reason);
}

} // namespace chronell
