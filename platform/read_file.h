#pragma once
// Reading a whole file, read-only. Only regular files are read (a symbolic
// link is followed): a pipe, socket or device is treated as unopenable.
#include <string>
#include <system_error>

namespace chronell {

// Replaces `contents` with the file's bytes, up to the size the file had
// when it was opened (to the end of file when that size is 0, as procfs
// reports). False when the file cannot be opened or is not a regular file
// (contents then empty); a read error ends the reading and keeps what was read.
// `reason` says why a file was not read: the system's reason, "Is a
// directory", or "No such device or address" for a pipe, socket or device.
bool readWholeFile(const std::string& path, std::string& contents, std::error_code& reason);

inline bool readWholeFile(const std::string& path, std::string& contents)
{
    std::error_code reason;
    return readWholeFile(path, contents, reason);
}

// Whether the path names a regular file (a symbolic link followed).
bool isRegularFile(const std::string& path);

} // namespace chronell
