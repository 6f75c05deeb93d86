#pragma once
// Rewriting a regular file in place: its bytes read whole, replaced by what
// the caller makes of them, the file cut to the new length. Writing in place
// keeps the file's identity (owner, mode, links, attributes).
#include <functional>
#include <string>

namespace chronell {

using FileRewrite = std::function<std::string(const std::string& old)>;

// Creates the file when it is missing. False when it cannot be opened for
// reading and writing, is not a regular file (a pipe, a device such as NUL),
// or a read, write or the final close fails.
bool rewriteFile(const std::string& path, const FileRewrite& rewrite);

} // namespace chronell
