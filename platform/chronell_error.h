#pragma once
// The one exception type of the program: an unexpected failure carrying its
// message bytes. Only the window's handler barrier and the report's main catch it.
#include <stdexcept>
#include <string>
#include <string_view>

namespace chronell {

class ChronellError : public std::runtime_error {
public:
    explicit ChronellError(const std::string& message) : std::runtime_error(message) {}
};

// The text an error is shown with: a "." appended when the message is not
// empty and its last character is coded above ".".
std::string errorBoxText(std::string_view message);

} // namespace chronell
