#include "app/application_title.h"

#include "platform/ascii.h"
#include "platform/paths.h"

namespace chronell {

std::string applicationTitle(std::string_view executablePath)
{
    const std::string_view name = hostFileNamePart(executablePath);
    std::string title(name.substr(0, name.find('.')));
    for (std::size_t i = 1; i < title.size(); ++i) title[i] = lowerAscii(title[i]);
    // Linux names its programs in lower case; the title still starts upper.
    if (!kWindowsHost && !title.empty()) title[0] = upperAscii(title[0]);
    return title;
}

} // namespace chronell
