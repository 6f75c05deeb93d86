#pragma once
// Rewriting a file: its bytes read whole, and what the caller makes of them
// written in its place whole or not at all (AtomicFile).
#include <functional>
#include <string>
#include <system_error>

namespace chronell {

using FileRewrite = std::function<std::string(const std::string& old)>;

// A missing file is taken as empty and made. Gives the system's reason when
// the file cannot be read or is not a regular file (a pipe, a device such as
// NUL), or when the new file cannot be written or put in place; the old file
// is then as it was.
std::error_code rewriteFile(const std::string& path, const FileRewrite& rewrite);

} // namespace chronell
