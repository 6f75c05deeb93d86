#pragma once
// Reading a whole file, read-only. Only regular files are read (a symbolic
// link is followed): a pipe, socket or device is treated as unopenable.
#include <string>

namespace chronell {

// Replaces `contents` with the file's bytes, up to the size the file had
// when it was opened (to the end of file when that size is 0, as procfs
// reports). False when the file cannot be opened or is not a regular file
// (contents then empty); a read error ends the reading and keeps what was read.
bool readWholeFile(const std::string& path, std::string& contents);

} // namespace chronell
