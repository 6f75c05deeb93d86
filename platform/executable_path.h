#pragma once
// The running executable's full path, as the platform reports it.
#include <string>

namespace chronell {

std::string executablePath();

} // namespace chronell
