#include "platform/output_mode.h"

#include "platform/paths.h"

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

std::string withHostLineBreaks(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        if (c == '\n')
            out.append(kHostLineBreak);
        else
            out.push_back(c);
    }
    return out;
}

} // namespace chronell
