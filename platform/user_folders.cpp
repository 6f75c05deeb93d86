#include "platform/user_folders.h"

#include <filesystem>
#include <system_error>
#include <vector>

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace chronell {

namespace fs = std::filesystem;

bool fileExists(const std::string& path)
{
    std::error_code error;
    return fs::exists(path, error);
}

bool folderWritable(const std::string& folder)
{
    if (folder.empty()) return false;
#ifdef _WIN32
    return ::_access(folder.c_str(), 2) == 0;
#else
    return ::access(folder.c_str(), W_OK | X_OK) == 0;
#endif
}

void createUserFolders(const std::string& folder)
{
    std::error_code error;
    fs::path at = fs::path(folder).lexically_normal();
    if (!at.has_filename()) at = at.parent_path();  // a trailing separator
    std::vector<fs::path> missing;
    for (; !at.empty() && !fs::exists(at, error); at = at.parent_path()) {
        missing.push_back(at);
        if (at == at.parent_path()) break;
    }
    // Outermost first, each limited to its owner (the XDG rule for folders
    // that a program makes in the configuration home).
    for (auto it = missing.rbegin(); it != missing.rend(); ++it) {
        if (!fs::create_directory(*it, error)) return;
        fs::permissions(*it, fs::perms::owner_all, fs::perm_options::replace, error);
    }
}

} // namespace chronell
