#include "platform/standard_streams.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#else
#include <unistd.h>
#endif

namespace chronell {

#ifdef _WIN32

bool standardErrorIsTerminal()
{
    return _isatty(_fileno(stderr)) != 0;
}

void writeBytesAsTheyAre(std::FILE* stream)
{
    std::fflush(stream);
    _setmode(_fileno(stream), _O_BINARY);
}

#else

bool standardErrorIsTerminal()
{
    return ::isatty(STDERR_FILENO) != 0;
}

void writeBytesAsTheyAre(std::FILE*) {}

#endif

} // namespace chronell
