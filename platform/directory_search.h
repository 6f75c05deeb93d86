#pragma once
// Directory search with Windows wildcard rules: '*' any run, '?' one
// character, ASCII letters in either case, "*" and "*.*" match every name.
#include <string>
#include <system_error>
#include <string_view>
#include <vector>

namespace chronell {

bool wildcardMatch(std::string_view mask, std::string_view name);

// NTFS-like name order: ASCII a-z mapped to A-Z, then bytes as they are.
bool ntfsNameLess(std::string_view a, std::string_view b);

// Names of the entries of the folder part of `searchPath` (up to its last
// separator) matching its mask part, ".", ".." and dot entries included,
// sorted by ntfsNameLess. Empty when the folder cannot be listed, with
// `error` set to the system's reason (a folder with no match is no error).
std::vector<std::string> findEntries(std::string_view searchPath, std::error_code& error);

} // namespace chronell
