#pragma once
// The one exception type of the program: an unexpected failure carrying its
// message bytes. Only the window's handler barrier and the report's main catch it.
#include <stdexcept>
#include <string>

namespace chronell {

class ChronellError : public std::runtime_error {
public:
    explicit ChronellError(const std::string& message) : std::runtime_error(message) {}
};

} // namespace chronell
