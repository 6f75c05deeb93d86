#include "platform/directory_search.h"

#include <algorithm>
#include <cerrno>

#include "platform/ascii.h"
#include "platform/paths.h"

#ifdef _WIN32
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#else
#include <dirent.h>
#endif

namespace chronell {

namespace {

unsigned char upperByte(char c)
{
    return static_cast<unsigned char>(upperAscii(c));
}

} // namespace

// Greedy matching that remembers only the last '*': on a mismatch the last
// '*' swallows one more character and matching resumes after it. Earlier
// stars never need revisiting, so the cost stays within mask x name steps
// however many stars the mask holds.
bool wildcardMatch(std::string_view mask, std::string_view name)
{
    if (mask == "*.*") return true;  // every name, also one without a '.'

    constexpr auto kNone = std::string_view::npos;
    std::size_t m = 0;
    std::size_t n = 0;
    std::size_t starMask = kNone;
    std::size_t starName = 0;
    while (n < name.size()) {
        if (m < mask.size() && mask[m] == '*') {
            starMask = m++;
            starName = n;
        } else if (m < mask.size() && (mask[m] == '?' || upperAscii(mask[m]) == upperAscii(name[n]))) {
            ++m;
            ++n;
        } else if (starMask != kNone) {
            m = starMask + 1;
            n = ++starName;
        } else {
            return false;
        }
    }
    while (m < mask.size() && mask[m] == '*') ++m;
    return m == mask.size();
}

bool ntfsNameLess(std::string_view a, std::string_view b)
{
    const std::size_t common = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < common; ++i) {
        const unsigned char ua = upperByte(a[i]);
        const unsigned char ub = upperByte(b[i]);
        if (ua != ub) return ua < ub;
    }
    if (a.size() != b.size()) return a.size() < b.size();
    // Equal but for the case of letters: bytes as they are decide.
    for (std::size_t i = 0; i < common; ++i) {
        const auto ua = static_cast<unsigned char>(a[i]);
        const auto ub = static_cast<unsigned char>(b[i]);
        if (ua != ub) return ua < ub;
    }
    return false;
}

#ifdef _WIN32

// The platform's own search matches; only the order is ours.
std::vector<std::string> findEntries(std::string_view searchPath, std::error_code& error)
{
    std::vector<std::string> names;
    error.clear();
    WIN32_FIND_DATAA found{};
    const HANDLE search = FindFirstFileA(std::string(searchPath).c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) {
        const DWORD code = GetLastError();
        if (code != ERROR_FILE_NOT_FOUND && code != ERROR_NO_MORE_FILES)
            error.assign(static_cast<int>(code), std::system_category());
        return names;
    }
    do {
        names.emplace_back(found.cFileName);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    std::sort(names.begin(), names.end(), ntfsNameLess);
    return names;
}

#else

std::vector<std::string> findEntries(std::string_view searchPath, std::error_code& error)
{
    std::vector<std::string> names;
    error.clear();
    const std::string folder(hostFolderPart(searchPath));
    const std::string_view mask = hostFileNamePart(searchPath);
    DIR* directory = ::opendir(folder.empty() ? "." : folder.c_str());
    if (directory == nullptr) {
        error.assign(errno, std::system_category());
        return names;
    }
    // readdir gives every entry, "." and ".." and dot files included; a read
    // error ends the listing like its end does.
    while (const dirent* entry = ::readdir(directory)) {
        if (wildcardMatch(mask, entry->d_name)) names.emplace_back(entry->d_name);
    }
    ::closedir(directory);
    std::sort(names.begin(), names.end(), ntfsNameLess);
    return names;
}

#endif

} // namespace chronell
