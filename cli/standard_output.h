#pragma once
// Standard output with every write checked, and the final flush and close
// too: a full disk or a closed pipe (SIGPIPE ignored) is a failure to report,
// not a success. After the first failure nothing more is written.
#include <string>
#include <string_view>

namespace chronell::report {

class StandardOutput {
public:
    // False once any write has failed.
    bool write(std::string_view text);
    // Flushes and closes standard output; false when that or a write failed.
    bool close();
    // The system's reason for the first failure.
    std::string failure() const;

private:
    bool fail();

    int error_ = 0;
    bool failed_ = false;
};

} // namespace chronell::report
