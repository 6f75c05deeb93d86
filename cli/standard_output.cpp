#include "cli/standard_output.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace chronell::report {

bool StandardOutput::fail()
{
    if (!failed_) error_ = errno;
    failed_ = true;
    return false;
}

bool StandardOutput::write(std::string_view text)
{
    if (failed_) return false;
    errno = 0;
    return std::fwrite(text.data(), 1, text.size(), stdout) == text.size() || fail();
}

bool StandardOutput::close()
{
    errno = 0;
    // fclose flushes first; a write error of an earlier buffer shows in ferror.
    const bool flushed = std::fflush(stdout) == 0 && !std::ferror(stdout);
    if (!flushed) fail();
    if (std::fclose(stdout) != 0) fail();
    return !failed_;
}

std::string StandardOutput::failure() const
{
    return error_ != 0 ? std::strerror(error_) : "unknown error";
}

} // namespace chronell::report
