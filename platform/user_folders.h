#pragma once
// What the settings file's place asks of the host: whether a file exists,
// whether a folder takes new files, and making the user's folder for it.
#include <string>

namespace chronell {

bool fileExists(const std::string& path);

// Whether this process may create files in `folder`.
bool folderWritable(const std::string& folder);

// Creates `folder` and its missing parents, each open to the user
// alone. A failure is left to the write that follows to report.
void createUserFolders(const std::string& folder);

} // namespace chronell
