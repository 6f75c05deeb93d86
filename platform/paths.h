#pragma once
// The host's path separator, its line break, and the file-name part of paths.
#include <string_view>

namespace chronell {

#ifdef _WIN32
inline constexpr bool kWindowsHost = true;
inline constexpr char kPathSeparator = '\\';
inline constexpr std::string_view kHostLineBreak = "\r\n";  // of the text files we make
#else
inline constexpr bool kWindowsHost = false;
inline constexpr char kPathSeparator = '/';
inline constexpr std::string_view kHostLineBreak = "\n";
#endif

// The text after the last host separator (on Windows also after '/' and ':').
std::string_view hostFileNamePart(std::string_view path);

// The path up to and including its last host separator; empty without one.
std::string_view hostFolderPart(std::string_view path);

// The text after the last '\', '/' or ':' (paths written inside job-list files).
std::string_view windowsFileNamePart(std::string_view path);

} // namespace chronell
