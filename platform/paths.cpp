#include "platform/paths.h"

namespace chronell {

namespace {
std::string_view afterLastOf(std::string_view path, std::string_view separators)
{
    const auto position = path.find_last_of(separators);
    return position == std::string_view::npos ? path : path.substr(position + 1);
}
} // namespace

std::string_view hostFileNamePart(std::string_view path)
{
#ifdef _WIN32
    return afterLastOf(path, "\\/:");
#else
    return afterLastOf(path, "/");
#endif
}

std::string_view windowsFileNamePart(std::string_view path)
{
    return afterLastOf(path, "\\/:");
}

} // namespace chronell
