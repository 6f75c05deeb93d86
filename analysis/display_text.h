#pragma once
// Job-list bytes as display text: kept when they are valid UTF-8, otherwise
// read as Windows-1252. Used only at the edges (the window, JSON output).
#include <string>
#include <string_view>

namespace chronell {

bool isValidUtf8(std::string_view bytes);

// UTF-8 text of the bytes.
std::string displayUtf8(std::string_view bytes);

} // namespace chronell
