#pragma once
// The host's path separator and the file-name part of paths.
#include <string_view>

namespace chronell {

#ifdef _WIN32
inline constexpr char kPathSeparator = '\\';
#else
inline constexpr char kPathSeparator = '/';
#endif

// The text after the last host separator (on Windows also after '/' and ':').
std::string_view hostFileNamePart(std::string_view path);

// The text up to and including that separator: the folder in which the
// file-name part is found ("" for a bare name).
std::string_view hostFolderPart(std::string_view path);

// The text after the last '\', '/' or ':' (paths written inside job-list files).
std::string_view windowsFileNamePart(std::string_view path);

} // namespace chronell
