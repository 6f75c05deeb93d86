#include "platform/paths.h"

namespace chronell {

namespace {
template <typename IsSeparator>
std::string_view afterLast(std::string_view path, IsSeparator isSeparator)
{
    std::size_t begin = path.size();
    while (begin > 0 && !isSeparator(path[begin - 1])) --begin;
    return path.substr(begin);
}

bool isWindowsSeparator(char c)
{
    return c == '\\' || c == '/' || c == ':';
}
} // namespace

std::string_view hostFileNamePart(std::string_view path)
{
#ifdef _WIN32
    return afterLast(path, isWindowsSeparator);
#else
    return afterLast(path, [](char c) { return c == '/'; });
#endif
}

std::string_view hostFolderPart(std::string_view path)
{
    return path.substr(0, path.size() - hostFileNamePart(path).size());
}

std::string_view windowsFileNamePart(std::string_view path)
{
    return afterLast(path, isWindowsSeparator);
}

} // namespace chronell
