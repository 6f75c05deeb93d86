#pragma once
// How the C runtime writes a stream's line ends.
#include <cstdio>

namespace chronell {

// Writes the stream's bytes as they are: on Windows the C runtime's text
// mode would write each LF as CR LF (and a CR LF as CR CR LF). Text mode,
// the default, is right for text with LF line ends.
void writeBytesAsTheyAre(std::FILE* stream);

} // namespace chronell
