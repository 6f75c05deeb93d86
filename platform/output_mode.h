#pragma once
// How the C runtime writes a stream's line ends, and the same for a file we
// write ourselves.
#include <cstdio>
#include <string>
#include <string_view>

namespace chronell {

// Writes the stream's bytes as they are: on Windows the C runtime's text
// mode would write each LF as CR LF (and a CR LF as CR CR LF). Text mode,
// the default, is right for text with LF line ends.
void writeBytesAsTheyAre(std::FILE* stream);

// The text as a text-mode stream writes it: each LF as the host's line
// break (CR LF on Windows), so that a file holds what standard output gets.
std::string withHostLineBreaks(std::string_view text);

} // namespace chronell
