#pragma once
// A file written whole or not at all: the bytes go to a temporary file in
// the same folder, every write, the flush to the disk and the close are
// checked, and only then does it take the file's place (a rename; on Windows
// a replace that keeps the old file's attributes). Until then, and on any
// failure, the old file stays as it was and the temporary file is removed.
// A symbolic link is followed: the file it names is replaced, the link stays.
#include <string>
#include <string_view>
#include <system_error>

#include "platform/file_handle.h"

namespace chronell {

class AtomicFile {
public:
    // Opens the temporary file; error() says why when it could not be made.
    explicit AtomicFile(const std::string& path);
    ~AtomicFile();
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    // False once any write has failed; later writes are not made.
    bool write(std::string_view bytes);
    // Flushes, closes and puts the file in place of the old one, which keeps
    // its mode (and owner, where the system lets us). False on any failure.
    bool commit();
    // The system's reason for the first failure.
    const std::error_code& error() const { return error_; }

private:
    bool fail(std::error_code error);

    std::string target_;     // the file to replace, links followed
    std::string temporary_;  // empty once it is gone or was never made
    FileHandle file_;        // the temporary file, open until commit()
    std::error_code error_;
};

} // namespace chronell
