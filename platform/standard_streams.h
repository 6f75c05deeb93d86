#pragma once
// The process's standard streams as the host has them: whether standard
// error is a terminal, and output whose line ends are the text's own.
#include <cstdio>

namespace chronell {

bool standardErrorIsTerminal();

// Writes the stream's bytes as they are: on Windows the C runtime's text
// mode would write each LF as CR LF (and a CR LF as CR CR LF). Text mode,
// the default, is right for text with LF line ends.
void writeBytesAsTheyAre(std::FILE* stream);

} // namespace chronell
