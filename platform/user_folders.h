#pragma once
// What the settings file's place asks of the host: whether a file exists,
// whether a folder takes new files, and making the user's folder for it.
#include <string>

namespace chronell {

// Whether the host has per-user configuration folders that a copy in a
// folder it cannot write uses instead. Windows copies keep their settings
// beside themselves, as a portable copy does everywhere.
#ifdef _WIN32
inline constexpr bool kUserConfigFolders = false;
#else
inline constexpr bool kUserConfigFolders = true;
#endif

bool fileExists(const std::string& path);

// Whether this process may create files in `folder`.
bool folderWritable(const std::string& folder);

// Creates `folder` and its missing parents, each readable by the user
// alone. A failure is left to the write that follows to report.
void createUserFolders(const std::string& folder);

} // namespace chronell
