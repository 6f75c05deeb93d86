#include "platform/output_mode.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

namespace chronell {

void writeBytesAsTheyAre([[maybe_unused]] std::FILE* stream)
{
#ifdef _WIN32
    std::fflush(stream);
    _setmode(_fileno(stream), _O_BINARY);
#endif
}

} // namespace chronell
