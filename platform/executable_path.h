#pragma once
// The running executable's full path, as the platform reports it.
#include <string>

namespace chronell {

// Empty when the platform cannot tell.
std::string executablePath();

} // namespace chronell
