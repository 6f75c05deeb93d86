#include "platform/executable_path.h"

#ifdef _WIN32
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace chronell {

// The buffer grows until the whole path fits; "" when the platform cannot
// tell.
std::string executablePath()
{
    std::string path(256, '\0');
    for (;;) {
#ifdef _WIN32
        const DWORD length = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) return {};
        // A cut path fills the buffer completely.
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
#else
        // readlink does not terminate the text and cuts silently: a result
        // that fills the buffer may have been cut.
        const ssize_t length = ::readlink("/proc/self/exe", path.data(), path.size());
        if (length < 0) return {};
        if (static_cast<std::size_t>(length) < path.size()) {
            path.resize(static_cast<std::size_t>(length));
            return path;
        }
#endif
        if (path.size() >= 1u << 16) return {};
        path.resize(path.size() * 2);
    }
}

} // namespace chronell
