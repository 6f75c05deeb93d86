#pragma once
// The one exception type of the program: an unexpected failure carrying its
// message bytes and, when the system said why, the system's error code. Only
// the window's handler barrier and the report's main catch it.
#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>
#include <system_error>
#include <utility>

namespace chronell {

class ChronellError : public std::runtime_error {
public:
    explicit ChronellError(const std::string& message) : std::runtime_error(message) {}
    // `message` names the failure; the system's reason is appended to it.
    ChronellError(const std::string& message, std::error_code code)
        : std::runtime_error(message + ": " + code.message()), code_(code)
    {
    }

    // The system's error code; empty (false) for the program's own errors.
    const std::error_code& code() const { return code_; }

    // Where the error arose, when it did in a line of a file: the message
    // stays as it is, and a caller may name the place before it.
    void setPlace(std::string path, std::size_t line)
    {
        path_ = std::move(path);
        line_ = line;
    }
    const std::string& path() const { return path_; }
    std::size_t line() const { return line_; }  // 1-based; 0 without a place

private:
    std::error_code code_;
    std::string path_;
    std::size_t line_ = 0;
};

// The text an error is shown with: a "." appended when the message is not
// empty and its last character is coded above ".".
std::string errorBoxText(std::string_view message);

} // namespace chronell
