#include "app/application_title.h"

#include "platform/paths.h"

namespace chronell {

namespace {

char asciiLower(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

#ifndef _WIN32
char asciiUpper(char c)
{
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}
#endif

} // namespace

std::string applicationTitle(std::string_view executablePath)
{
    const std::string_view name = hostFileNamePart(executablePath);
    std::string title(name.substr(0, name.find('.')));
    for (std::size_t i = 1; i < title.size(); ++i) title[i] = asciiLower(title[i]);
#ifndef _WIN32
    if (!title.empty()) title[0] = asciiUpper(title[0]);
#endif
    return title;
}

} // namespace chronell
