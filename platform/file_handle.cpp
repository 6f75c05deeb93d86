#include "platform/file_handle.h"

#ifdef _WIN32
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace chronell {

bool FileHandle::close()
{
    if (!isOpen()) return false;
    const Native native = std::exchange(native_, none());
#ifdef _WIN32
    return CloseHandle(static_cast<HANDLE>(native)) != FALSE;
#else
    // Not retried on EINTR: the descriptor is released either way on Linux.
    return ::close(native) == 0;
#endif
}

} // namespace chronell
